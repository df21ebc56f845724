#pragma once

#include "host/HostExport.h"

#include <string>

/// Names shared by whoever writes media information and whoever reads it.
namespace Tarvos::Conf {

/// Keys into the description tree of one stream
/// (Sarnet::MediaSourceInfo::GetStreamCodecInfo()), for every kind of stream.
struct REELKIT_HOST_EXPORT IFormatCodec
{
    /// The codec's identifier, text (such as "h264"); shown through
    /// Core::LocalizationManager::GetCodecName().
    static const std::string TAG_CODEC_ID;
    /// Boolean, true on a main stream, which the playlist's track menu checks
    /// while the user has chosen none; the child may be absent.
    static const std::string TAG_MAIN_STREAM;
    /// The stream's language, text, under the stream's child "metadata".
    static const std::string TAG_LANGUAGE;
};

/// Further keys into the description tree of a video stream.
struct REELKIT_HOST_EXPORT IFormatCodecVideo : IFormatCodec
{
    /// Frame width in pixels, 64-bit integer.
    static const std::string TAG_WIDTH;
    /// Frame height in pixels, 64-bit integer.
    static const std::string TAG_HEIGHT;
    /// Frames per second, a ratio (Core::Property::Ratio).
    static const std::string TAG_FPS;
};

/// Keys into the description of a whole file.
struct REELKIT_HOST_EXPORT IFormatFile
{
    /// The title, text, under the child "metadata".
    static const std::string TAG_TITLE;
};

/// True for containers of still images (an image sequence or a single-image
/// format such as "png_pipe"), whose streams are no tracks to choose.
REELKIT_HOST_EXPORT bool IsImageContainer(const std::string& formatId);

} // namespace Tarvos::Conf
