#include "PlaylistUndo.h"

#include "Gui/Reelkit/PlaylistController.h"
#include "Gui/Reelkit/PlaylistItemData.h"
#include "Gui/Reelkit/PlaylistListView.h"
#include "Gui/Reelkit/PlaylistModel.h"
#include "Gui/Reelkit/QtCompat.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUndoCommand>
#include <QUndoStack>
#include <algorithm>
#include <utility>

namespace Player {

using Tarvos::Gui::PlaylistItemData;

struct PlaylistUndo::Op
{
    enum Kind
    {
        Insert,
        Remove,
        AudioTrack,
        VideoTrack
    };
    Kind kind;
    int row;
    int count;
    // The rows' records while they are out of the list.
    std::vector<PlaylistItemData> records;
    // The stream choice replaced and the one made.
    int before = -1;
    int after = -1;
};

class PlaylistUndo::RowsCommand : public QUndoCommand
{
public:
    RowsCommand(PlaylistUndo* owner, int activeBefore)
        : m_owner(owner)
        , m_activeBefore(activeBefore)
    {}

    void undo() override
    {
        m_owner->Replay([this] {
            for (auto op = m_ops.rbegin(); op != m_ops.rend(); ++op)
                Apply(*op, false);
            m_owner->Activate(m_activeBefore);
        });
    }

    void redo() override
    {
        if (m_recorded) {
            m_recorded = false;
            return;
        }
        m_owner->Replay([this] {
            for (Op& op : m_ops)
                Apply(op, true);
            m_owner->Activate(m_activeAfter);
        });
    }

    std::vector<Op> m_ops;
    int m_activeAfter = -1;
    // Pushed after its edits were made: the push's redo has nothing to do.
    bool m_recorded = false;

private:
    void Apply(Op& op, bool forward)
    {
        Tarvos::Gui::PlaylistModel* model = m_owner->m_model;
        switch (op.kind) {
        case Op::Insert:
        case Op::Remove:
            if ((op.kind == Op::Insert) == forward) {
                // Records come back inactive; Activate() marks the active one.
                for (PlaylistItemData& record : op.records)
                    record.SetActive(false);
                model->InsertItems(std::move(op.records), op.row);
                op.records.clear();
            } else {
                op.records = model->TakeItems(op.row, op.count);
            }
            break;
        case Op::AudioTrack:
        case Op::VideoTrack:
            m_owner->SetStream(op.row, op.kind == Op::AudioTrack, forward ? op.after : op.before);
            break;
        }
    }

    PlaylistUndo* m_owner;
    int m_activeBefore;
};

class PlaylistUndo::ReorderCommand : public QUndoCommand
{
public:
    ReorderCommand(PlaylistUndo* owner, const std::vector<int>& order, const QString& text)
        : QUndoCommand(text)
        , m_owner(owner)
        , m_order(order)
        , m_inverse(order.size())
    {
        for (std::size_t row = 0; row < order.size(); ++row)
            m_inverse[std::size_t(order[row])] = int(row);
    }

    void undo() override
    {
        m_owner->Replay([this] { m_owner->m_model->Reorder(m_inverse); });
    }

    void redo() override
    {
        m_owner->Replay([this] { m_owner->m_model->Reorder(m_order); });
    }

private:
    PlaylistUndo* m_owner;
    std::vector<int> m_order;
    std::vector<int> m_inverse;
};

namespace {

QString StepName(int inserted, int removed, bool audio)
{
    if (inserted > 0 && removed > 0)
        return removed == 1 ? PlaylistUndo::tr("Move 1 file")
                            : PlaylistUndo::tr("Move %1 files").arg(removed);
    if (inserted > 0)
        return inserted == 1 ? PlaylistUndo::tr("Add 1 file")
                             : PlaylistUndo::tr("Add %1 files").arg(inserted);
    if (removed > 0)
        return removed == 1 ? PlaylistUndo::tr("Remove 1 file")
                            : PlaylistUndo::tr("Remove %1 files").arg(removed);
    return audio ? PlaylistUndo::tr("Choose an audio track")
                 : PlaylistUndo::tr("Choose a video track");
}

} // namespace

PlaylistUndo::PlaylistUndo(Tarvos::Gui::PlaylistListView* view,
    Tarvos::Gui::PlaylistController* controller, QObject* parent)
    : QObject(parent)
    , m_view(view)
    , m_model(qobject_cast<Tarvos::Gui::PlaylistModel*>(view->model()))
    , m_controller(controller)
    , m_stack(new QUndoStack(this))
{
    m_closeTimer.setSingleShot(true);
    m_closeTimer.setInterval(0);
    connect(&m_closeTimer, &QTimer::timeout, this, &PlaylistUndo::OnCloseTimeout);
    connect(
        m_model, &QAbstractItemModel::rowsAboutToBeRemoved, this, &PlaylistUndo::OnAboutToRemove);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &PlaylistUndo::OnRemoved);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &PlaylistUndo::OnInserted);
    connect(m_model, &QAbstractItemModel::dataChanged, this, &PlaylistUndo::OnDataChanged);
    connect(m_model, &QAbstractItemModel::layoutChanged, this, &PlaylistUndo::OnLayoutChanged);
    m_view->viewport()->installEventFilter(this);
    OnLayoutChanged();
}

PlaylistUndo::~PlaylistUndo() = default;

void PlaylistUndo::NameStep(const QString& text)
{
    m_openName = text;
}

void PlaylistUndo::CloseStep()
{
    m_closeTimer.stop();
    m_freshFirst = m_freshLast = -1;
    m_awaitedRemovals = 0;
    std::unique_ptr<RowsCommand> command = std::move(m_open);
    const QString name = std::exchange(m_openName, QString());
    if (!command)
        return;
    int inserted = 0;
    int removed = 0;
    for (const Op& op : command->m_ops) {
        inserted += op.kind == Op::Insert ? op.count : 0;
        removed += op.kind == Op::Remove ? op.count : 0;
    }
    command->setText(!name.isEmpty()
            ? name
            : StepName(inserted, removed, command->m_ops.back().kind == Op::AudioTrack));
    command->m_activeAfter = ActiveRow();
    command->m_recorded = true;
    m_stack->push(command.release());
}

void PlaylistUndo::Forget()
{
    CloseStep();
    m_stack->clear();
}

void PlaylistUndo::Reorder(const std::vector<int>& order, const QString& text)
{
    bool same = true;
    for (std::size_t row = 0; row < order.size() && same; ++row)
        same = order[row] == int(row);
    CloseStep();
    if (!same)
        m_stack->push(new ReorderCommand(this, order, text));
}

void PlaylistUndo::Clear()
{
    CloseStep();
    const int count = m_model->rowCount();
    if (count == 0)
        return;
    auto command = std::make_unique<RowsCommand>(this, ActiveRow());
    command->setText(tr("Clear the playlist"));
    command->m_ops.push_back({ Op::Remove, 0, count, {} });
    m_stack->push(command.release());
}

PlaylistUndo::Streams PlaylistUndo::StreamsAt(int row) const
{
    const PlaylistItemData& record = m_model->ItemAt(row);
    return { record.GetSelectedAudioStream(), record.GetSelectedVideoStream() };
}

int PlaylistUndo::ActiveRow() const
{
    PlaylistItemData active;
    return m_controller->GetFile(active) ? active.GetIndex().row() : -1;
}

void PlaylistUndo::Activate(int row)
{
    if (row >= 0 && row < m_model->rowCount() && row != ActiveRow())
        m_controller->StepTo(QPersistentModelIndex(m_model->index(row, 0)));
    // An emptied list forgets the history and the shuffle cycle too.
    if (m_model->rowCount() == 0)
        m_controller->Clear();
}

void PlaylistUndo::SetStream(int row, bool audio, int stream)
{
    const QPersistentModelIndex index(m_model->index(row, 0));
    // Through the controller, so that the engine switches when the entry plays.
    if (stream >= 0) {
        if (audio)
            m_controller->OnPlaylistWidgetAudioTrackSelected(index, unsigned(stream));
        else
            m_controller->OnPlaylistWidgetVideoTrackSelected(index, unsigned(stream));
        return;
    }
    PlaylistItemData record = m_model->ItemAt(row);
    if (audio)
        record.SetSelectedAudioStream(stream);
    else
        record.SetSelectedVideoStream(stream);
    m_model->UpdateItem(index, record);
}

template <class Edit> void PlaylistUndo::Replay(Edit edit)
{
    m_replaying = true;
    edit();
    m_replaying = false;
}

void PlaylistUndo::Unrecorded(const std::function<void()>& edit)
{
    Replay(edit);
}

PlaylistUndo::Op& PlaylistUndo::Record(Op op)
{
    if (!m_open) {
        m_open = std::make_unique<RowsCommand>(this, m_activeRow);
        m_closeTimer.start();
    }
    m_open->m_ops.push_back(std::move(op));
    return m_open->m_ops.back();
}

void PlaylistUndo::OnAboutToRemove(const QModelIndex&, int first, int last)
{
    if (m_replaying)
        return;
    Op& op = Record({ Op::Remove, first, last - first + 1, {} });
    op.records.reserve(std::size_t(op.count));
    for (int row = first; row <= last; ++row)
        op.records.push_back(m_model->ItemAt(row));
}

void PlaylistUndo::OnRemoved(const QModelIndex&, int first, int last)
{
    m_streams.erase(m_streams.begin() + first, m_streams.begin() + last + 1);
    if (m_activeRow > last)
        m_activeRow -= last - first + 1;
    else if (m_activeRow >= first)
        m_activeRow = -1;
    m_freshFirst = m_freshLast = -1;
    m_awaitedRemovals -= last - first + 1;
}

void PlaylistUndo::OnInserted(const QModelIndex&, int first, int last)
{
    const int count = last - first + 1;
    if (!m_replaying)
        Record({ Op::Insert, first, count, {} });
    if (m_activeRow >= first)
        m_activeRow += count;
    std::vector<Streams> inserted;
    inserted.reserve(std::size_t(count));
    for (int row = first; row <= last; ++row)
        inserted.push_back(StreamsAt(row));
    m_streams.insert(m_streams.begin() + first, inserted.begin(), inserted.end());
    m_freshFirst = first;
    m_freshLast = last;
}

void PlaylistUndo::OnDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight)
{
    for (int row = topLeft.row(); row <= bottomRight.row(); ++row) {
        if (m_model->ItemAt(row).GetActive())
            m_activeRow = row;
        else if (m_activeRow == row)
            m_activeRow = -1;
        const Streams now = StreamsAt(row);
        const Streams before = std::exchange(m_streams[std::size_t(row)], now);
        if (m_replaying || (row >= m_freshFirst && row <= m_freshLast))
            continue;
        if (now.audio != before.audio)
            Record({ Op::AudioTrack, row, 1, {}, before.audio, now.audio });
        if (now.video != before.video)
            Record({ Op::VideoTrack, row, 1, {}, before.video, now.video });
    }
}

void PlaylistUndo::OnLayoutChanged()
{
    const int count = m_model->rowCount();
    m_streams.clear();
    m_streams.reserve(std::size_t(count));
    m_activeRow = -1;
    for (int row = 0; row < count; ++row) {
        m_streams.push_back(StreamsAt(row));
        if (m_model->ItemAt(row).GetActive())
            m_activeRow = row;
    }
}

bool PlaylistUndo::eventFilter(QObject* watched, QEvent* event)
{
    // A drag of rows within the view inserts them at the drop, inside the
    // drag's own event loop, and removes the selected rows once it returns;
    // both make one step. The view moves, rather than copies, without Ctrl.
    if (event->type() == QEvent::Drop) {
        const auto* drop = static_cast<QDropEvent*>(event);
        if (drop->source() == m_view
            && !(Tarvos::Gui::QtCompat::Modifiers(drop) & Qt::ControlModifier)
            && drop->mimeData()->hasFormat(Tarvos::Gui::PlaylistModel::MimeType)) {
            m_awaitedRemovals = int(m_view->selectionModel()->selectedRows().size());
            m_awaitSpins = 0;
        }
    }
    return QObject::eventFilter(watched, event);
}

void PlaylistUndo::OnCloseTimeout()
{
    if (m_awaitedRemovals > 0 && ++m_awaitSpins < MaxAwaitSpins)
        m_closeTimer.start();
    else
        CloseStep();
}

} // namespace Player
