#pragma once

#include "Gui/Reelkit/IPlaylistModelEventObserver.h"
#include "Gui/Reelkit/IPlaylistWidgetEventObserver.h"
#include "Gui/Reelkit/ObserverList.h"
#include "Gui/Reelkit/PlaylistItemData.h"
#include "Gui/Reelkit/ReelkitExport.h"
#include "host/Property.h"
#include "host/RefCount.h"
#include "host/ioPath.h"

#include <QList>
#include <QPersistentModelIndex>
#include <QPointer>
#include <boost/intrusive_ptr.hpp>
#include <memory>
#include <string>
#include <type_traits>

namespace Tarvos::Gui {

class IPlaylistEventObserver;
class PlaylistListView;
class PlaylistModel;
class PlaylistPathIndex;

/// The logic of the playlist. It owns the list model, installs it with a row
/// delegate in the host's list view, turns the view's and the model's events
/// into IPlaylistEventObserver calls, and decides which entry plays next: in
/// list order or shuffled, with repeat, keeping a history to step back through.
///
/// Reference counted: made only by Create(), destroyed by the last Release().
/// The view is not owned and must outlive the controller; observers are not
/// owned either and must stay alive while registered. Observers are told in
/// registration order, from a copy of the list taken before the first call, so
/// they may add or remove observers meanwhile. GUI thread only.
///
/// The shuffle draws with std::rand(); a host that wants another order each
/// run seeds it with std::srand().
class REELKIT_EXPORT PlaylistController : public IPlaylistWidgetEventObserver,
                                          public IPlaylistModelEventObserver,
                                          public RefCounted<>
{
public:
    /// How StepNextByStrategy and StepPrevByStrategy choose.
    enum Strategies
    {
        /// In list order; back is the row before.
        Sequential = 0,
        /// Each entry once per cycle in random order, then a new cycle with
        /// every row; back walks the history of entries played.
        Shuffle = 1
    };

    /// \name Step codes for StepTo(int)
    /// Every value ≥ 0 is a row; a negative value that is no code re-activates
    /// the active entry.
    //@{
    /// The next entry by the strategy: the next row, or a random one not yet
    /// played in this cycle.
    static constexpr int StepNextByStrategy = -1;
    /// The previous entry by the strategy: the row before, or the last one of
    /// the history (taken out of it).
    static constexpr int StepPrevByStrategy = -2;
    /// The next row, wrapping to the first with repeat; the first row when
    /// nothing is active.
    static constexpr int StepNextByOrder = -3;
    /// The row before, wrapping to the last with repeat; the first row when
    /// nothing is active.
    static constexpr int StepPrevByOrder = -4;
    /// The selected row of the view, or the active entry if nothing is selected.
    static constexpr int StepToSelection = -5;
    //@}

    /// \name Rewind state flags
    /// Whether a next and a previous entry can be reached from the active one,
    /// as GetRewindStates() combines them.
    //@{
    /// A next entry can be reached.
    static constexpr int RewindNext = 1;
    /// A previous entry can be reached.
    static constexpr int RewindPrev = 2;
    //@}

    /// Null for a null view; otherwise a controller holding one reference,
    /// which sets its own model and a PlaylistItemDelegate (a child of the
    /// view) on view and registers with it as its observer.
    static boost::intrusive_ptr<PlaylistController> Create(PlaylistListView* view);

    PlaylistController(const PlaylistController&) = delete; ///< Not copyable.
    PlaylistController& operator=(const PlaylistController&) = delete; ///< Not copyable.

    /// Registers an observer (not owned), which hears the current rewind
    /// states at once; null, or adding one twice, has no effect.
    void AddEventObserver(IPlaylistEventObserver* observer);
    /// Unregisters the observer; unknown ones are ignored.
    void RemoveEventObserver(IPlaylistEventObserver* observer);

    /// \name Navigation
    //@{
    /// The strategy of StepNextByStrategy and StepPrevByStrategy; Sequential at first.
    Strategies GetStrategy() const { return m_strategy; }
    /// Changes the strategy and reports the rewind states; the same strategy
    /// again changes nothing. Shuffle starts a new cycle of every row, from
    /// which the active entry is taken out by activating it again.
    void SetStrategy(Strategies strategy);
    /// Whether stepping past either end wraps around; false at first.
    bool GetRepeat() const { return m_repeat; }
    /// Sets repeat and reports the rewind states.
    void SetRepeat(bool repeat);
    /// A step code or a row; true when an entry was made active, which the
    /// observers hear as OnPlaylistActiveItemChanged() and then
    /// OnPlaylistRewindStatesChanged(). Every step but StepPrevByStrategy
    /// records the entry active before in the history, even when it fails.
    bool StepTo(int step);
    /// Activates the entry without touching the history or the shuffle pool;
    /// false for an invalid index.
    bool StepTo(const QPersistentModelIndex& index);
    /// RewindNext and RewindPrev for the active entry; 0 when none is active.
    /// Sequential: next unless on the last row, previous unless on the first,
    /// both with repeat and more than one row. Shuffle: always next, previous
    /// while the history holds an entry.
    int GetRewindStates() const;
    //@}

    /// \name Files
    /// Every change of the rows is reported as OnPlaylistChanged(); AddFile(),
    /// DeleteFile(), DeleteSelectedFiles() and Clear() then report the rewind
    /// states.
    //@{
    /// Number of entries.
    int GetItemCount() const;
    /// Inserts a copy of record before row (−1 appends; the row count is the
    /// last row allowed) and, with makeActive, activates it. Returns the new
    /// row, −1 if nothing was inserted. In shuffle mode the entry joins the
    /// current cycle.
    int AddFile(const PlaylistItemData& record, int row, bool makeActive);
    /// The same for a new entry of path, without media information.
    int AddFile(const ioPath& path, int row, bool makeActive);
    /// Removes the entry at row, also from the history and the shuffle cycle;
    /// nothing for a row that does not exist.
    void DeleteFile(int row);
    /// Removes every selected entry of the view.
    void DeleteSelectedFiles();
    /// Removes every entry and forgets the history and the shuffle cycle.
    void Clear();
    /// The active entry; false, leaving out untouched, if there is none.
    bool GetFile(PlaylistItemData& out) const;
    /// The first selected entry; false, leaving out untouched, if there is none.
    bool GetSelectedFile(PlaylistItemData& out) const;
    /// Stores a record read from this playlist (GetFile(), GetSelectedFile())
    /// back over its own row, found by PlaylistItemData::GetIndex(); false
    /// when that row is gone.
    bool UpdateFile(const PlaylistItemData& record);
    /// Gives every entry of the information's path its duration and
    /// information, and writes an INFO log line (through glog) with the path
    /// and the duration. Null is ignored.
    void SetFileInfo(boost::intrusive_ptr<const Sarnet::MediaSourceInfo> info);
    /// Marks every entry of the path (UTF-8) invalid and drops its
    /// information, and writes an INFO log line with the path.
    void SetFileInfoFailed(const std::string& path);
    //@}

    /// The whole list as a tree: a "playlist" array with one array child per
    /// row, holding "filename" (text), "audiostream" and "videostream" (the
    /// chosen streams, −1 for none) and, on the active entry only, "active"
    /// (true).
    Core::Property Serialize() const;
    /// Appends the entries of a tree that Serialize() wrote, skipping children
    /// without "filename"; the one marked "active" becomes active. The tree is
    /// only read. Returns the row count afterwards.
    int Deserialize(Core::Property& tree);

    /// \name IPlaylistWidgetEventObserver
    /// The view's reports, which the controller receives as the view's
    /// observer and passes on to its own observers.
    //@{
    /// Reported as OnPlaylistItemDoubleClicked(row); the controller does not step.
    void OnPlaylistWidgetDoubleClicked(const QPersistentModelIndex& index) override;
    /// Reported as OnPlaylistKeyPress(key).
    void OnPlaylistWidgetKeyPress(int key) override;
    /// Reported as OnPlaylistFileDropped(path, row); the observers insert it.
    void OnFileDropped(const std::string& path, int row) override;
    /// Reported as OnPlaylistFileDropped(path, row); then the entry the
    /// observers inserted at row becomes active.
    void OnActiveFileDropped(const std::string& path, int row) override;
    /// Stores the choice in the entry; reported as
    /// OnPlaylistAudioTrackSelected(track) when the entry is the active one.
    void OnPlaylistWidgetAudioTrackSelected(
        QPersistentModelIndex index, unsigned int track) override;
    /// Stores the choice in the entry; reported as
    /// OnPlaylistVideoTrackSelected(track) when the entry is the active one.
    void OnPlaylistWidgetVideoTrackSelected(
        QPersistentModelIndex index, unsigned int track) override;
    //@}

    /// Reported as OnPlaylistChanged() (the model's observer interface).
    void OnPlaylistModelChanged() override;

private:
    // The file named in the log lines, whatever the build's source path.
    static const char* const LogSourceFile;

    explicit PlaylistController(PlaylistListView* view);
    ~PlaylistController() override;

    QPersistentModelIndex GetNextRow() const;
    QPersistentModelIndex GetPrevRow() const;
    QPersistentModelIndex GetShuffleRow();
    QPersistentModelIndex TryGetShuffleRow();
    int RefillShuffleIndexes();
    void SwitchActiveItem(const QPersistentModelIndex& target);
    void ReportRewindStates();

    QPersistentModelIndex EntryAt(int row) const;
    PlaylistItemData Record(const QModelIndex& index) const;
    void Store(const QModelIndex& index, const PlaylistItemData& record);
    // Takes the entry out of the shuffle pool and the history before its row goes.
    void Forget(const QPersistentModelIndex& entry);
    template <class Change> void UpdateEntriesOf(const ioPath& path, Change change);
    Strategies m_strategy = Sequential;
    bool m_repeat = false;
    std::unique_ptr<PlaylistModel> m_model;
    // Not owned; guarded, so that a controller outliving its view stays harmless.
    QPointer<PlaylistListView> m_view;
    QPersistentModelIndex m_active;
    QList<QPersistentModelIndex> m_shuffleIndexes;
    QList<QPersistentModelIndex> m_history;
    ObserverList<IPlaylistEventObserver> m_observers;
    std::unique_ptr<PlaylistPathIndex> m_pathIndex;
};

} // namespace Tarvos::Gui
