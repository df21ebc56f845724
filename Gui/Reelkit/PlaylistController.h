#pragma once

#include "Gui/Reelkit/IPlaylistModelEventObserver.h"
#include "Gui/Reelkit/IPlaylistWidgetEventObserver.h"
#include "Gui/Reelkit/ObserverList.h"
#include "Gui/Reelkit/PlaylistItemData.h"
#include "Gui/Reelkit/PlaylistPathIndex.h"
#include "Gui/Reelkit/ReelkitExport.h"
#include "host/Property.h"
#include "host/RefCount.h"
#include "host/ioPath.h"

#include <QList>
#include <QPersistentModelIndex>
#include <QPointer>
#include <boost/intrusive_ptr.hpp>
#include <string>
#include <type_traits>

namespace Tarvos::Gui {

class IPlaylistEventObserver;
class PlaylistListView;
class PlaylistModel;

// The logic of the playlist. It owns the list model, installs it with a row
// delegate in the host's list view, turns the view's and the model's events
// into IPlaylistEventObserver calls, and decides which entry plays next: in
// list order or shuffled, with repeat, keeping a history to step back through.
//
// Reference counted: made only by Create, destroyed by the last Release. The
// view is not owned and must outlive the controller; observers are not owned
// either and must stay alive while registered.
class REELKIT_EXPORT PlaylistController : public IPlaylistWidgetEventObserver,
                                          public IPlaylistModelEventObserver,
                                          public virtual IRefCountable
{
public:
    enum Strategies
    {
        Sequential = 0,
        Shuffle = 1
    };

    // Step codes for StepTo(int); every value ≥ 0 is a row.
    static constexpr int StepNextByStrategy = -1;
    static constexpr int StepPrevByStrategy = -2;
    static constexpr int StepNextByOrder = -3;
    static constexpr int StepPrevByOrder = -4;
    // The selected row of the view, or the active entry if nothing is selected.
    static constexpr int StepToSelection = -5;

    // Rewind state flags: whether a next and a previous entry can be reached.
    static constexpr int RewindNext = 1;
    static constexpr int RewindPrev = 2;

    // Null for a null view; otherwise a controller holding one reference.
    static boost::intrusive_ptr<PlaylistController> Create(PlaylistListView* view);

    PlaylistController(const PlaylistController&) = delete;
    PlaylistController& operator=(const PlaylistController&) = delete;

    unsigned int AddRef() const override;
    unsigned int GetRefCount() const override;
    unsigned int Release() const override;

    // A new observer hears the current rewind states at once; adding one twice
    // has no effect.
    void AddEventObserver(IPlaylistEventObserver* observer);
    void RemoveEventObserver(IPlaylistEventObserver* observer);

    // Navigation.
    Strategies GetStrategy() const { return m_strategy; }
    void SetStrategy(Strategies strategy);
    bool GetRepeat() const { return m_repeat; }
    void SetRepeat(bool repeat);
    // A step code or a row; true when an entry was made active.
    bool StepTo(int step);
    // Activates the entry without touching the history or the shuffle pool.
    bool StepTo(const QPersistentModelIndex& index);
    int GetRewindStates() const;

    // Files.
    int GetItemCount() const;
    // Row −1 appends. Returns the new row, −1 if nothing was inserted.
    int AddFile(const PlaylistItemData& record, int row, bool makeActive);
    int AddFile(const ioPath& path, int row, bool makeActive);
    void DeleteFile(int row);
    void DeleteSelectedFiles();
    void Clear();
    // The active entry; false, leaving out untouched, if there is none.
    bool GetFile(PlaylistItemData& out) const;
    // The first selected entry; false, leaving out untouched, if there is none.
    bool GetSelectedFile(PlaylistItemData& out) const;
    // Stores a record read from this playlist back over its own row.
    bool UpdateFile(const PlaylistItemData& record);
    // Gives every entry of the information's path its duration and information.
    void SetFileInfo(boost::intrusive_ptr<const Sarnet::MediaSourceInfo> info);
    // Marks every entry of the path invalid and drops its information.
    void SetFileInfoFailed(const std::string& path);

    // Persistence: a "playlist" array with one array child per row.
    Core::Property Serialize() const;
    // Appends the entries of the tree; returns the row count afterwards.
    int Deserialize(Core::Property& tree);

    // IPlaylistWidgetEventObserver
    void OnPlaylistWidgetDoubleClicked(const QPersistentModelIndex& index) override;
    void OnPlaylistWidgetKeyPress(int key) override;
    void OnFileDropped(const std::string& path, int row) override;
    void OnActiveFileDropped(const std::string& path, int row) override;
    void OnPlaylistWidgetAudioTrackSelected(
        QPersistentModelIndex index, unsigned int track) override;
    void OnPlaylistWidgetVideoTrackSelected(
        QPersistentModelIndex index, unsigned int track) override;

    // IPlaylistModelEventObserver
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
    RefCountImpl m_refCount;
    Strategies m_strategy = Sequential;
    bool m_repeat = false;
    PlaylistModel* m_model;
    // Not owned; guarded, so that a controller outliving its view stays harmless.
    QPointer<PlaylistListView> m_view;
    QPersistentModelIndex m_active;
    QList<QPersistentModelIndex> m_shuffleIndexes;
    QList<QPersistentModelIndex> m_history;
    ObserverList<IPlaylistEventObserver> m_observers;
    PlaylistPathIndex m_pathIndex;
};

} // namespace Tarvos::Gui
