#include "host/FormatTags.h"

#include <algorithm>
#include <array>

namespace Tarvos::Conf {

const std::string IFormatCodec::TAG_CODEC_ID = "codec_id";
const std::string IFormatCodec::TAG_MAIN_STREAM = "main_stream";
const std::string IFormatCodec::TAG_LANGUAGE = "language";
const std::string IFormatCodecVideo::TAG_WIDTH = "width";
const std::string IFormatCodecVideo::TAG_HEIGHT = "height";
const std::string IFormatCodecVideo::TAG_FPS = "fps";
const std::string IFormatFile::TAG_TITLE = "title";

bool IsImageContainer(const std::string& formatId)
{
    // The still-image demuxers' names: the generic image sequence and the
    // single-image pipes ("png_pipe", "jpeg_pipe", ...).
    static const std::string pipeSuffix = "_pipe";
    static const std::array<const char*, 4> imageFormats
        = { "image2", "image2pipe", "apng", "webp" };
    if (formatId.size() > pipeSuffix.size()
        && formatId.compare(formatId.size() - pipeSuffix.size(), pipeSuffix.size(), pipeSuffix)
            == 0)
        return true;
    return std::find(imageFormats.begin(), imageFormats.end(), formatId) != imageFormats.end();
}

} // namespace Tarvos::Conf
