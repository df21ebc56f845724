#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

class QModelIndex;
class QUndoStack;

namespace Tarvos::Gui {
class PlaylistController;
class PlaylistListView;
class PlaylistModel;
} // namespace Tarvos::Gui

namespace Player {

// Makes every edit of the playlist undoable. Insertions, removals and track
// choices are recorded from the model's signals, whoever made them: what
// happens until control returns to the event loop (or, for a drag of rows,
// until the drag is over) is one step, named after what it did. Reorderings
// and clearing are asked for here and pushed whole.
//
// Steps keep the records they took out, so an undo restores durations,
// information and track choices, and activates the entry that was active.
class PlaylistUndo : public QObject
{
    Q_OBJECT

public:
    // The view must hold the controller's model; neither is owned.
    PlaylistUndo(Tarvos::Gui::PlaylistListView* view, Tarvos::Gui::PlaylistController* controller,
        QObject* parent = nullptr);
    ~PlaylistUndo() override;

    // Owned; without a limit, so that no long list falls out of it.
    QUndoStack* GetStack() const { return m_stack; }
    // Names the step made by the edits that follow until it closes.
    void NameStep(const QString& text);
    // Pushes the open step now.
    void CloseStep();
    // Closes the open step and forgets every step.
    void Forget();
    // Runs an edit that is no step of the user's, such as restoring what a
    // file was left with, without recording it.
    void Unrecorded(const std::function<void()>& edit);
    // One step putting the rows in a new order: row i holds what row order[i]
    // held. Nothing when the order is the present one.
    void Reorder(const std::vector<int>& order, const QString& text);
    // One step emptying the list; the records are moved into it, not copied.
    void Clear();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Event-loop turns that a drag's step waits for the dragged rows' removal.
    static constexpr int MaxAwaitSpins = 100;

    class RowsCommand;
    class ReorderCommand;
    struct Op;
    struct Streams
    {
        int audio;
        int video;
    };

    Streams StreamsAt(int row) const;
    int ActiveRow() const;
    void Activate(int row);
    void SetStream(int row, bool audio, int stream);
    // Runs the edit of an undo or redo without recording it.
    template <class Edit> void Replay(Edit edit);
    Op& Record(Op op);
    void OnAboutToRemove(const QModelIndex& parent, int first, int last);
    void OnRemoved(const QModelIndex& parent, int first, int last);
    void OnInserted(const QModelIndex& parent, int first, int last);
    void OnDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight);
    void OnLayoutChanged();
    void OnCloseTimeout();

    Tarvos::Gui::PlaylistListView* m_view;
    Tarvos::Gui::PlaylistModel* m_model;
    Tarvos::Gui::PlaylistController* m_controller;
    QUndoStack* m_stack;
    std::unique_ptr<RowsCommand> m_open;
    QString m_openName;
    QTimer m_closeTimer;
    bool m_replaying = false;
    // The stream choices of every row and the row flagged active, as last
    // seen, for what a change replaced.
    std::vector<Streams> m_streams;
    int m_activeRow = -1;
    // Rows inserted last: their first record is part of the insertion.
    int m_freshFirst = -1;
    int m_freshLast = -1;
    // Rows that a drag within the view will still remove.
    int m_awaitedRemovals = 0;
    int m_awaitSpins = 0;
};

} // namespace Player
