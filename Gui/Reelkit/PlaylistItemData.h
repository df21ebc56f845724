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

// One playlist entry: the file, what is known about it, the user's stream
// choices and the model row that holds it. A value type; the model keeps one
// copy per row and hands out copies inside QVariant.
class REELKIT_EXPORT PlaylistItemData : public ISourceInfoForPlaybackControlPanel
{
public:
    using InfoPtr = boost::intrusive_ptr<const Sarnet::MediaSourceInfo>;

    // The name of every entry that is not a DVD title; GetName ignores it.
    static const char* const DefaultTitleName;
    // DVD titles longer than this (microseconds) are the movie, others bonus material.
    static constexpr avTime MovieMinimumDuration = 600000000;

    PlaylistItemData();
    explicit PlaylistItemData(const ioPath& path);
    // Takes path and duration from the information and names DVD titles after
    // the disc's volume label.
    explicit PlaylistItemData(InfoPtr info);
    PlaylistItemData(const PlaylistItemData& other);
    PlaylistItemData& operator=(const PlaylistItemData& other);
    ~PlaylistItemData() override;

    // Registers the type with Qt once, with its comparison and its conversion
    // to text (GetName), so that generic views and QVariant comparisons work.
    static int MetaTypeId();

    avTime GetFileDuration() const override;
    ioPath GetFilename() const override;

    void SetFilename(const std::string& path);
    void SetFileDuration(avTime duration);
    // The title name of a DVD entry, otherwise the path as UTF-8.
    std::string GetName() const;

    bool GetActive() const { return m_active; }
    void SetActive(bool active);
    InfoPtr GetInfo() const { return m_info; }
    void SetInfo(InfoPtr info);
    // True once non-empty media information has arrived.
    bool IsInfoExtracted() const;
    bool IsValid() const { return m_valid; }
    void SetValid(bool valid);
    bool GetUnderDrop() const { return m_underDrop; }
    void SetUnderDrop(bool underDrop);
    bool IsDVD() const { return m_dvd; }
    // −1 when the user chose no stream.
    int GetSelectedVideoStream() const { return m_selectedVideoStream; }
    void SetSelectedVideoStream(int stream);
    int GetSelectedAudioStream() const { return m_selectedAudioStream; }
    void SetSelectedAudioStream(int stream);
    QPersistentModelIndex GetIndex() const { return m_index; }
    void SetIndex(const QPersistentModelIndex& index);

    // Every field, the persistent index and the identity of the information included.
    friend REELKIT_EXPORT bool operator==(const PlaylistItemData& a, const PlaylistItemData& b);
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
