#include "host/MediaSourceInfo.h"

namespace Tarvos::Sarnet {

MediaSourceInfo::MediaSourceInfo(const ioPath& path, avTime duration, const std::string& formatId)
    : m_path(path)
    , m_duration(duration)
    , m_formatId(formatId)
{}

boost::intrusive_ptr<MediaSourceInfo> MediaSourceInfo::Create(
    const ioPath& path, avTime duration, const std::string& formatId)
{
    return boost::intrusive_ptr<MediaSourceInfo>(new MediaSourceInfo(path, duration, formatId));
}

void MediaSourceInfo::AddStream(MediaType type, const Core::Property& codecInfo)
{
    m_streams.push_back({ type, codecInfo });
}

MediaType MediaSourceInfo::GetStreamMediaType(unsigned index) const
{
    return index < m_streams.size() ? m_streams[index].type : MediaType::Unknown;
}

const Core::Property& MediaSourceInfo::GetStreamCodecInfo(unsigned index) const
{
    static const Core::Property empty;
    return index < m_streams.size() ? m_streams[index].codecInfo : empty;
}

} // namespace Tarvos::Sarnet
