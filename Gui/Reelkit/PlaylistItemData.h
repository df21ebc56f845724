#pragma once

#include "Gui/Reelkit/ISourceInfoForPlaybackControlPanel.h"
#include "Gui/Reelkit/ReelkitExport.h"
#include "host/MediaSourceInfo.h"
#include "host/avTime.h"
#include "host/ioPath.h"

#include <QMetaType>
#include <QPersistentModelIndex>
#include <boost/intrusive_ptr.hpp>
#include <string>

namespace Tarvos::Gui {

/// One playlist entry: the file, what is known about it, the user's stream
/// choices and the model row that holds it. A value type; the model keeps one
/// copy per row and hands out copies inside QVariant (meta-type name
/// "Tarvos::Gui::PlaylistItemData").
///
/// A DVD title is an entry whose path contains "dvd://", such as
/// "dvd://E:/:title=3"; it is named after the disc's volume label.
class REELKIT_EXPORT PlaylistItemData : public ISourceInfoForPlaybackControlPanel
{
public:
    /// The media information as the entry shares it.
    using InfoPtr = boost::intrusive_ptr<const Sarnet::MediaSourceInfo>;

    /// The title name ("DVD_TRACK") of every entry made from a path or from
    /// information that is not a DVD title; GetName() ignores it.
    static const char* const DefaultTitleName;
    /// DVD titles longer than this (microseconds, ten minutes) are the movie,
    /// others bonus material.
    static constexpr avTime MovieMinimumDuration = 600000000;

    /// An entry with no path, no title name, no duration and no information;
    /// valid, inactive, with no stream chosen.
    PlaylistItemData();
    /// An entry for path, otherwise as the default one, with the default title name.
    explicit PlaylistItemData(const ioPath& path);
    /// Takes path, duration and information from info (null gives an entry
    /// without path). A DVD title is named "<volume label> - Title <n>: Movie"
    /// or "...: Bonus" by its duration; the label comes from Util::DVDLabel()
    /// for the drive in the path.
    explicit PlaylistItemData(InfoPtr info);
    /// Copies every field, the information shared.
    PlaylistItemData(const PlaylistItemData& other);
    /// Copies every field, the information shared.
    PlaylistItemData& operator=(const PlaylistItemData& other);
    /// Drops the entry's reference to the information.
    ~PlaylistItemData() override;

    /// Registers the type with Qt once, with its comparison and its conversion
    /// to text (GetName()), so that generic views and QVariant comparisons
    /// work; returns its meta-type id. PlaylistModel calls it.
    static int MetaTypeId();

    /// Duration in microseconds; 0 until known.
    avTime GetFileDuration() const override;
    /// The entry's path.
    ioPath GetFilename() const override;

    /// Replaces the path (UTF-8); the DVD mark and title name stay.
    void SetFilename(const std::string& path);
    /// Sets the duration in microseconds.
    void SetFileDuration(avTime duration);
    /// The title name of a DVD entry, otherwise the path as UTF-8.
    std::string GetName() const;

    /// Whether this is the playing entry; at most one row of a playlist has it.
    bool GetActive() const { return m_active; }
    /// Marks or unmarks the entry as the playing one; PlaylistController does it when it steps.
    void SetActive(bool active);
    /// The media information; null until it arrives or after it failed.
    InfoPtr GetInfo() const { return m_info; }
    /// Replaces the information (null drops it); the duration is left as it is.
    void SetInfo(InfoPtr info);
    /// True once non-empty media information has arrived.
    bool IsInfoExtracted() const;
    /// False once the media information could not be read: the row shows an
    /// error badge. True at first.
    bool IsValid() const { return m_valid; }
    /// Sets whether the file could be read.
    void SetValid(bool valid);
    /// The drop marker: set on the row after which a drag would insert.
    bool GetUnderDrop() const { return m_underDrop; }
    /// Sets or clears the drop marker; PlaylistListView does it during a drag.
    void SetUnderDrop(bool underDrop);
    /// Whether the entry was made from information of a DVD title.
    bool IsDVD() const { return m_dvd; }
    /// The video stream the user chose (an index into the media information's
    /// streams); −1 when the user chose none. The track menu treats 0 as no
    /// choice as well.
    int GetSelectedVideoStream() const { return m_selectedVideoStream; }
    /// Records the user's video stream; −1 for none.
    void SetSelectedVideoStream(int stream);
    /// The audio stream the user chose, as for video; −1 for none.
    int GetSelectedAudioStream() const { return m_selectedAudioStream; }
    /// Records the user's audio stream; −1 for none.
    void SetSelectedAudioStream(int stream);
    /// The row that holds the entry: set on every copy that PlaylistModel
    /// hands out, cleared in the copy it stores; invalid on other entries.
    QPersistentModelIndex GetIndex() const { return m_index; }
    /// Sets the row reference; the model does it on the copies it hands out.
    void SetIndex(const QPersistentModelIndex& index);

    /// Every field, the persistent index and the identity of the information included.
    friend REELKIT_EXPORT bool operator==(const PlaylistItemData& a, const PlaylistItemData& b);
    /// The negation of operator==.
    friend bool operator!=(const PlaylistItemData& a, const PlaylistItemData& b)
    {
        return !(a == b);
    }

private:
    ioPath m_path;
    std::string m_titleName;
    avTime m_duration = 0;
    bool m_active = false;
    InfoPtr m_info;
    bool m_valid = true;
    bool m_underDrop = false;
    bool m_dvd = false;
    int m_selectedVideoStream = -1;
    int m_selectedAudioStream = -1;
    QPersistentModelIndex m_index;
};

} // namespace Tarvos::Gui

Q_DECLARE_METATYPE(Tarvos::Gui::PlaylistItemData)
