#include "host/LocalizationManager.h"

#include <unordered_map>

namespace Tarvos::Core {

std::string LocalizationManager::GetCodecName(const std::string& codecId) const
{
    static const std::unordered_map<std::string, std::string> names = {
        { "h264", "H.264 / AVC" },
        { "hevc", "H.265 / HEVC" },
        { "h265", "H.265 / HEVC" },
        { "av1", "AV1" },
        { "vp8", "VP8" },
        { "vp9", "VP9" },
        { "mpeg1video", "MPEG-1 Video" },
        { "mpeg2video", "MPEG-2 Video" },
        { "mpeg4", "MPEG-4 Part 2" },
        { "msmpeg4v3", "MS MPEG-4 v3" },
        { "wmv3", "Windows Media Video 9" },
        { "vc1", "VC-1" },
        { "theora", "Theora" },
        { "prores", "Apple ProRes" },
        { "mjpeg", "Motion JPEG" },
        { "png", "PNG" },
        { "gif", "GIF" },
        { "rawvideo", "Raw video" },
        { "aac", "AAC" },
        { "mp2", "MPEG Audio Layer 2" },
        { "mp3", "MP3" },
        { "ac3", "Dolby Digital" },
        { "eac3", "Dolby Digital Plus" },
        { "truehd", "Dolby TrueHD" },
        { "dts", "DTS" },
        { "flac", "FLAC" },
        { "alac", "Apple Lossless" },
        { "opus", "Opus" },
        { "vorbis", "Vorbis" },
        { "wmav2", "Windows Media Audio 2" },
        { "pcm_s16le", "PCM 16-bit" },
        { "pcm_s24le", "PCM 24-bit" },
        { "pcm_f32le", "PCM 32-bit float" },
        { "subrip", "SubRip" },
        { "ass", "Advanced SubStation Alpha" },
    };
    const auto it = names.find(codecId);
    return it != names.end() ? it->second : codecId;
}

const LocalizationManager& GetLocalizationManager()
{
    static const LocalizationManager manager;
    return manager;
}

} // namespace Tarvos::Core
