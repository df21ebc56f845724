#pragma once

#include "host/HostExport.h"

#include <string>

namespace Tarvos::Conf {

// Keys into the description tree of one stream (MediaSourceInfo::GetStreamCodecInfo).
struct REELKIT_HOST_EXPORT IFormatCodec
{
    static const std::string TAG_CODEC_ID; // text
    static const std::string TAG_MAIN_STREAM; // boolean; may be absent
    static const std::string TAG_LANGUAGE; // text, under the child "metadata"
};

struct REELKIT_HOST_EXPORT IFormatCodecVideo : IFormatCodec
{
    static const std::string TAG_WIDTH; // 64-bit integer
    static const std::string TAG_HEIGHT; // 64-bit integer
    static const std::string TAG_FPS; // ratio
};

struct REELKIT_HOST_EXPORT IFormatFile
{
    static const std::string TAG_TITLE; // text, under the child "metadata"
};

// True for containers of still images, whose streams are no tracks to choose.
REELKIT_HOST_EXPORT bool IsImageContainer(const std::string& formatId);

} // namespace Tarvos::Conf
