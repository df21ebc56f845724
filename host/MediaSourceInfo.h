#pragma once

#include "host/Property.h"
#include "host/RefCount.h"
#include "host/avTime.h"
#include "host/ioPath.h"

#include <boost/intrusive_ptr.hpp>
#include <string>
#include <vector>

/// Media information, as the host's media-information service produces it.
namespace Tarvos::Sarnet {

/// Kind of a stream; values other than these are other kinds (subtitles, data).
enum class MediaType : int
{
    Unknown = 0, ///< Not known, or a stream index out of range.
    Video = 1, ///< A video stream: offered in the playlist's "VideoTrack" menu.
    Audio = 2 ///< An audio stream: offered in the playlist's "AudioTrack" menu.
};

/// What the media-information service found out about one file: its container
/// format and one description tree per stream. Filled by its maker through
/// AddStream(), then immutable once handed over; shared as
/// boost::intrusive_ptr<const MediaSourceInfo>, from any thread.
class REELKIT_HOST_EXPORT MediaSourceInfo final : public RefCounted<>
{
public:
    /// A new description without streams, holding one reference. duration is
    /// in microseconds; formatId names the container format.
    static boost::intrusive_ptr<MediaSourceInfo> Create(
        const ioPath& path, avTime duration, const std::string& formatId);

    /// Appends a stream, described by a copy of codecInfo (keys in
    /// Conf::IFormatCodec and Conf::IFormatCodecVideo); streams keep this order.
    void AddStream(MediaType type, const Core::Property& codecInfo);

    /// The described file.
    const ioPath& GetFilePath() const { return m_path; }
    /// Duration in microseconds.
    avTime GetDuration() const { return m_duration; }
    /// The container format's identifier; see Conf::IsImageContainer().
    const std::string& GetFormatId() const { return m_formatId; }
    /// True when it has neither a format nor a stream.
    bool IsEmpty() const { return m_formatId.empty() && m_streams.empty(); }

    /// Number of streams added.
    unsigned GetStreamCount() const { return static_cast<unsigned>(m_streams.size()); }
    /// Kind of stream index; MediaType::Unknown out of range.
    MediaType GetStreamMediaType(unsigned index) const;
    /// The description tree of stream index; out of range, an empty tree.
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
