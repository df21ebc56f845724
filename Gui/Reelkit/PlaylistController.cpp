#include "Gui/Reelkit/PlaylistController.h"

#include "Gui/Reelkit/IPlaylistEventObserver.h"
#include "Gui/Reelkit/PlaylistItemDelegate.h"
#include "Gui/Reelkit/PlaylistListView.h"
#include "Gui/Reelkit/PlaylistModel.h"
#include "Gui/Reelkit/PlaylistPathIndex.h"
#include "host/MediaSourceInfo.h"
#include "host/T2S.h"

#include <QItemSelectionModel>
#include <cstdint>
#include <cstdlib>
#include <glog/logging.h>
#include <utility>

namespace Tarvos::Gui {

namespace {

const std::string PlaylistKey = "playlist";
const std::string FilenameKey = "filename";
const std::string AudioStreamKey = "audiostream";
const std::string VideoStreamKey = "videostream";
const std::string ActiveKey = "active";
// The keys above that an entry can hold.
constexpr unsigned EntryKeyCount = 4;

} // namespace

const char* const PlaylistController::LogSourceFile = "Gui/Reelkit/PlaylistController.cpp";

boost::intrusive_ptr<PlaylistController> PlaylistController::Create(PlaylistListView* view)
{
    if (!view)
        return nullptr;
    return boost::intrusive_ptr<PlaylistController>(new PlaylistController(view));
}

PlaylistController::PlaylistController(PlaylistListView* view)
    : m_model(std::make_unique<PlaylistModel>())
    , m_view(view)
    , m_pathIndex(std::make_unique<PlaylistPathIndex>(m_model.get()))
{
    m_model->AddObserver(this);
    view->setModel(m_model.get());
    view->AddEventObserver(this);
    view->setItemDelegate(new PlaylistItemDelegate(view));
}

PlaylistController::~PlaylistController()
{
    if (m_view)
        m_view->RemoveEventObserver(this);
}

void PlaylistController::AddEventObserver(IPlaylistEventObserver* observer)
{
    if (!observer || m_observers.Contains(observer))
        return;
    m_observers.Add(observer);
    observer->OnPlaylistRewindStatesChanged(GetRewindStates());
}

void PlaylistController::RemoveEventObserver(IPlaylistEventObserver* observer)
{
    m_observers.Remove(observer);
}

void PlaylistController::SetStrategy(Strategies strategy)
{
    if (strategy == m_strategy)
        return;
    m_strategy = strategy;
    if (strategy == Shuffle) {
        RefillShuffleIndexes();
        // Takes the playing entry out of the new cycle.
        if (m_active.isValid())
            StepTo(m_active.row());
    } else {
        m_shuffleIndexes.clear();
    }
    ReportRewindStates();
}

void PlaylistController::SetRepeat(bool repeat)
{
    m_repeat = repeat;
    ReportRewindStates();
}

bool PlaylistController::StepTo(int step)
{
    QPersistentModelIndex target;
    if (step >= 0) {
        target = EntryAt(step);
        if (m_strategy == Shuffle && target.isValid())
            m_shuffleIndexes.removeAll(target);
    } else if (step == StepToSelection) {
        const int selected = m_view ? m_view->GetSelectedRow() : -1;
        target = selected >= 0 ? EntryAt(selected) : m_active;
    } else if (step == StepPrevByOrder) {
        target = GetPrevRow();
    } else if (step == StepNextByOrder) {
        target = GetNextRow();
    } else if (step == StepPrevByStrategy) {
        if (m_strategy == Sequential)
            target = GetPrevRow();
        else if (!m_history.isEmpty())
            target = m_history.takeLast();
    } else if (step == StepNextByStrategy) {
        target = m_strategy == Shuffle ? GetShuffleRow() : GetNextRow();
    } else {
        target = m_active;
    }

    if (step != StepPrevByStrategy && m_active.isValid())
        m_history.append(m_active);

    if (!target.isValid())
        return false;
    SwitchActiveItem(target);
    return true;
}

bool PlaylistController::StepTo(const QPersistentModelIndex& index)
{
    if (!index.isValid())
        return false;
    SwitchActiveItem(index);
    return true;
}

int PlaylistController::GetRewindStates() const
{
    if (!m_active.isValid())
        return 0;
    const int count = GetItemCount();
    const bool wrap = m_repeat && count > 1;
    if (m_strategy == Shuffle)
        return RewindNext | (m_history.isEmpty() ? 0 : RewindPrev);
    const int row = m_active.row();
    int states = 0;
    if (row != 0 || wrap)
        states |= RewindPrev;
    if (row < count - 1 || wrap)
        states |= RewindNext;
    return states;
}

QPersistentModelIndex PlaylistController::GetNextRow() const
{
    int next = m_active.isValid() ? m_active.row() + 1 : 0;
    if (next >= GetItemCount())
        next = m_repeat ? 0 : -1;
    return EntryAt(next);
}

QPersistentModelIndex PlaylistController::GetPrevRow() const
{
    if (!m_active.isValid())
        return EntryAt(0);
    int prev = m_active.row() - 1;
    if (prev < 0)
        prev = m_repeat ? GetItemCount() - 1 : -1;
    return EntryAt(prev);
}

QPersistentModelIndex PlaylistController::GetShuffleRow()
{
    QPersistentModelIndex row = TryGetShuffleRow();
    // A used-up cycle starts again with every row, the one just played included.
    if (!row.isValid() && RefillShuffleIndexes() > 0)
        row = TryGetShuffleRow();
    return row;
}

QPersistentModelIndex PlaylistController::TryGetShuffleRow()
{
    while (!m_shuffleIndexes.isEmpty()) {
        const QPersistentModelIndex candidate
            = m_shuffleIndexes.takeAt(std::rand() % m_shuffleIndexes.size());
        // Entries whose rows were removed meanwhile are skipped.
        if (candidate.isValid())
            return candidate;
    }
    return QPersistentModelIndex();
}

int PlaylistController::RefillShuffleIndexes()
{
    const int count = GetItemCount();
    m_shuffleIndexes.clear();
    m_shuffleIndexes.reserve(count);
    for (int row = 0; row < count; ++row)
        m_shuffleIndexes.append(EntryAt(row));
    return count;
}

void PlaylistController::SwitchActiveItem(const QPersistentModelIndex& target)
{
    if (m_active.isValid()) {
        PlaylistItemData previous = Record(m_active);
        previous.SetActive(false);
        m_model->UpdateItem(m_active, previous);
    }
    m_active = target;
    if (m_active.isValid()) {
        PlaylistItemData current = Record(m_active);
        current.SetActive(true);
        m_model->UpdateItem(m_active, current);
        // An observer told of the update may have removed the row already.
        if (m_view && m_active.isValid())
            m_view->scrollTo(m_active, QAbstractItemView::EnsureVisible);
    }
    m_observers.Notify(&IPlaylistEventObserver::OnPlaylistActiveItemChanged, m_active.row());
    ReportRewindStates();
}

void PlaylistController::ReportRewindStates()
{
    m_observers.Notify(&IPlaylistEventObserver::OnPlaylistRewindStatesChanged, GetRewindStates());
}

int PlaylistController::GetItemCount() const
{
    return m_model->rowCount();
}

int PlaylistController::AddFile(const PlaylistItemData& record, int row, bool makeActive)
{
    const QPersistentModelIndex entry = m_model->InsertItem(record, row);
    if (entry.isValid()) {
        if (m_strategy == Shuffle)
            m_shuffleIndexes.append(entry);
        if (makeActive)
            SwitchActiveItem(entry);
    }
    ReportRewindStates();
    return entry.row();
}

int PlaylistController::AddFile(const ioPath& path, int row, bool makeActive)
{
    return AddFile(PlaylistItemData(path), row, makeActive);
}

void PlaylistController::DeleteFile(int row)
{
    const QPersistentModelIndex entry = EntryAt(row);
    if (!entry.isValid())
        return;
    Forget(entry);
    m_model->removeRow(row);
    ReportRewindStates();
}

void PlaylistController::DeleteSelectedFiles()
{
    while (m_view && m_view->selectionModel() && m_view->selectionModel()->hasSelection()) {
        const QPersistentModelIndex entry = EntryAt(m_view->GetSelectedRow());
        // A selection without a selected row (nothing selectable) would never shrink.
        if (!entry.isValid())
            break;
        Forget(entry);
        m_model->removeRow(entry.row());
    }
    ReportRewindStates();
}

void PlaylistController::Clear()
{
    const int count = GetItemCount();
    if (count > 0)
        m_model->removeRows(0, count);
    m_shuffleIndexes.clear();
    m_history.clear();
    ReportRewindStates();
}

bool PlaylistController::GetFile(PlaylistItemData& out) const
{
    if (!m_active.isValid())
        return false;
    out = Record(m_active);
    return true;
}

bool PlaylistController::GetSelectedFile(PlaylistItemData& out) const
{
    if (!m_view || !m_view->selectionModel())
        return false;
    const QModelIndexList selected = m_view->selectionModel()->selectedIndexes();
    if (selected.isEmpty())
        return false;
    out = Record(selected.first());
    return true;
}

bool PlaylistController::UpdateFile(const PlaylistItemData& record)
{
    const QPersistentModelIndex index = record.GetIndex();
    if (!index.isValid())
        return false;
    return m_model->setData(index, QVariant::fromValue(record), Qt::EditRole);
}

void PlaylistController::SetFileInfo(boost::intrusive_ptr<const Sarnet::MediaSourceInfo> info)
{
    if (!info)
        return;
    google::LogMessage(LogSourceFile, __LINE__, google::GLOG_INFO).stream()
        << "Media source info is received for file [" << info->GetFilePath().utf8string()
        << "]; the duration of this file is " << Proc::T2S(info->GetDuration());
    google::FlushLogFiles(google::GLOG_INFO);

    UpdateEntriesOf(info->GetFilePath(), [&info](PlaylistItemData& record) {
        record.SetFileDuration(info->GetDuration());
        record.SetInfo(info);
    });
}

void PlaylistController::SetFileInfoFailed(const std::string& path)
{
    google::LogMessage(LogSourceFile, __LINE__, google::GLOG_INFO).stream()
        << "Media source info extraction failed for file [" << path << "]";
    google::FlushLogFiles(google::GLOG_INFO);

    UpdateEntriesOf(ioPath(path), [](PlaylistItemData& record) {
        record.SetValid(false);
        record.SetInfo(nullptr);
    });
}

Core::Property PlaylistController::Serialize() const
{
    Core::Property root(PlaylistKey);
    root.SetArrayType();
    const int count = GetItemCount();
    root.Reserve(count);
    for (int row = 0; row < count; ++row) {
        // A reference: a record read through data() is a copy carrying its index.
        const PlaylistItemData& record = m_model->ItemAt(row);
        Core::Property entry;
        entry.SetArrayType();
        // Room for every key at once: growing one by one costs three allocations per entry.
        entry.Reserve(EntryKeyCount);
        entry.SetChild(FilenameKey, record.GetFilename().utf8string());
        entry.SetChild(AudioStreamKey, record.GetSelectedAudioStream());
        entry.SetChild(VideoStreamKey, record.GetSelectedVideoStream());
        if (record.GetActive())
            entry.SetChild(ActiveKey, true);
        root.Add(std::move(entry));
    }
    return root;
}

int PlaylistController::Deserialize(Core::Property& tree)
{
    // Read through a const view: the non-const lookups would add missing children.
    const Core::Property& source = tree;
    for (unsigned i = 0; i < source.Count(); ++i) {
        const Core::Property& entry = source[i];
        if (!entry.ChildExists(FilenameKey))
            continue;
        PlaylistItemData record(ioPath(entry[FilenameKey].GetString()));
        // Only the presence of the mark counts, not its value.
        const bool active = entry.ChildExists(ActiveKey);
        if (entry.ChildExists(AudioStreamKey))
            record.SetSelectedAudioStream(static_cast<int>(entry[AudioStreamKey].GetInt64()));
        if (entry.ChildExists(VideoStreamKey))
            record.SetSelectedVideoStream(static_cast<int>(entry[VideoStreamKey].GetInt64()));
        AddFile(record, -1, active);
    }
    return GetItemCount();
}

void PlaylistController::OnPlaylistWidgetDoubleClicked(const QPersistentModelIndex& index)
{
    m_observers.Notify(&IPlaylistEventObserver::OnPlaylistItemDoubleClicked, index.row());
}

void PlaylistController::OnPlaylistWidgetKeyPress(int key)
{
    m_observers.Notify(&IPlaylistEventObserver::OnPlaylistKeyPress, key);
}

void PlaylistController::OnFileDropped(const std::string& path, int row)
{
    m_observers.Notify(&IPlaylistEventObserver::OnPlaylistFileDropped, path, row);
}

void PlaylistController::OnActiveFileDropped(const std::string& path, int row)
{
    // The observers insert the file at row; the entry there then is the dropped one.
    m_observers.Notify(&IPlaylistEventObserver::OnPlaylistFileDropped, path, row);
    SwitchActiveItem(EntryAt(row));
}

void PlaylistController::OnPlaylistWidgetAudioTrackSelected(
    QPersistentModelIndex index, unsigned int track)
{
    PlaylistItemData record = Record(index);
    record.SetSelectedAudioStream(static_cast<int>(track));
    UpdateFile(record);
    if (index.isValid() && index == m_active)
        m_observers.Notify(&IPlaylistEventObserver::OnPlaylistAudioTrackSelected, track);
}

void PlaylistController::OnPlaylistWidgetVideoTrackSelected(
    QPersistentModelIndex index, unsigned int track)
{
    PlaylistItemData record = Record(index);
    record.SetSelectedVideoStream(static_cast<int>(track));
    UpdateFile(record);
    if (index.isValid() && index == m_active)
        m_observers.Notify(&IPlaylistEventObserver::OnPlaylistVideoTrackSelected, track);
}

void PlaylistController::OnPlaylistModelChanged()
{
    m_observers.Notify(&IPlaylistEventObserver::OnPlaylistChanged);
}

QPersistentModelIndex PlaylistController::EntryAt(int row) const
{
    return QPersistentModelIndex(m_model->index(row, 0));
}

PlaylistItemData PlaylistController::Record(const QModelIndex& index) const
{
    return m_model->data(index, Qt::DisplayRole).value<PlaylistItemData>();
}

void PlaylistController::Store(const QModelIndex& index, const PlaylistItemData& record)
{
    m_model->setData(index, QVariant::fromValue(record), Qt::EditRole);
}

void PlaylistController::Forget(const QPersistentModelIndex& entry)
{
    if (m_strategy == Shuffle)
        m_shuffleIndexes.removeAll(entry);
    m_history.removeAll(entry);
}

template <class Change> void PlaylistController::UpdateEntriesOf(const ioPath& path, Change change)
{
    // Visits the rows of the path in ascending order, as a walk over every row
    // would. When an observer changes the list during an update, the rows
    // ahead are no longer known and the walk goes on row by row.
    const std::uint64_t generation = m_pathIndex->GetGeneration();
    for (const int row : m_pathIndex->Rows(path.utf8string())) {
        const QModelIndex index = m_model->index(row, 0);
        PlaylistItemData record = Record(index);
        change(record);
        Store(index, record);
        if (m_pathIndex->GetGeneration() == generation)
            continue;
        for (int next = row + 1; next < GetItemCount(); ++next) {
            const QModelIndex nextIndex = m_model->index(next, 0);
            record = Record(nextIndex);
            if (record.GetFilename() != path)
                continue;
            change(record);
            Store(nextIndex, record);
        }
        return;
    }
}

} // namespace Tarvos::Gui
