#pragma once

#include "host/Property.h"
#include "host/RefCount.h"
#include "host/avTime.h"
#include "host/ioPath.h"

#include <boost/intrusive_ptr.hpp>
#include <string>
#include <vector>

namespace Tarvos::Sarnet {

// Kind of a stream; values other than these are other kinds (subtitles, data).
enum class MediaType : int
{
    Unknown = 0,
    Video = 1,
    Audio = 2
};

// What the media-information service found out about one file: its container
// format and one description tree per stream. Immutable once handed over;
// shared as boost::intrusive_ptr<const MediaSourceInfo>.
class REELKIT_HOST_EXPORT MediaSourceInfo final : public RefCounted<>
{
public:
    static boost::intrusive_ptr<MediaSourceInfo> Create(
        const ioPath& path, avTime duration, const std::string& formatId);

    void AddStream(MediaType type, const Core::Property& codecInfo);

    const ioPath& GetFilePath() const { return m_path; }
    avTime GetDuration() const { return m_duration; }
    const std::string& GetFormatId() const { return m_formatId; }
    // True when it has neither a format nor a stream.
    bool IsEmpty() const { return m_formatId.empty() && m_streams.empty(); }

    unsigned GetStreamCount() const { return static_cast<unsigned>(m_streams.size()); }
    // Out of range: MediaType::Unknown and an empty tree.
    MediaType GetStreamMediaType(unsigned index) const;
    const Core::Property& GetStreamCodecInfo(unsigned index) const;

private:
    MediaSourceInfo(const ioPath& path, avTime duration, const std::string& formatId);

    struct Stream
    {
        MediaType type;
        Core::Property codecInfo;
    };

    ioPath m_path;
    avTime m_duration;
    std::string m_formatId;
    std::vector<Stream> m_streams;
};

} // namespace Tarvos::Sarnet
