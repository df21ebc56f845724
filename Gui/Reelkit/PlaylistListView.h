#pragma once

#include "Gui/Reelkit/ReelkitExport.h"

#include <QList>
#include <QListView>
#include <QPersistentModelIndex>
#include <type_traits>

class QDropEvent;

namespace Tarvos::Gui {

class IPlaylistWidgetEventObserver;

// The list of the playlist. It turns key presses, double clicks and drops of
// files and playlist rows into calls on its observers, and marks the row after
// which a drop would insert by the entry's under-drop flag.
//
// Rows are inserted by the observers, never by the view: a drop announces each
// file with the row at which it belongs. When the drop moves rows within this
// view, the standard drag code removes the dragged rows afterwards.
class REELKIT_EXPORT PlaylistListView : public QListView
{
    Q_OBJECT

public:
    // The drop position is looked up this far above the cursor, so that with
    // 24-pixel rows a drop inserts at the row boundary nearest to the cursor.
    static constexpr int DropMarkerOffset = 12;
    // Row payloads larger than this are not read.
    static constexpr int MaxRowPayloadSize = 16 << 20;
    // Key combinations that the view leaves to its parent widgets.
    static constexpr int ParentShortcuts[] = {
        int(Qt::CTRL) | int(Qt::SHIFT) | int(Qt::Key_A),
        int(Qt::CTRL) | int(Qt::Key_Up),
        int(Qt::CTRL) | int(Qt::Key_Down),
    };

    explicit PlaylistListView(QWidget* parent = nullptr);
    ~PlaylistListView() override;

    // Observers are not owned: each must outlive the view or be removed first.
    // Adding one twice has no effect.
    void AddEventObserver(IPlaylistWidgetEventObserver* observer);
    void RemoveEventObserver(IPlaylistWidgetEventObserver* observer);

    // The row of the last entry of the selection model's selected rows, −1 if none.
    int GetSelectedRow() const;

public slots:
    void OnDoubleClick(const QModelIndex& index);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

    // Whether the drop comes from a drag that this view started; only such a
    // drop can be a move. Tests, whose hand-made drop events carry no source,
    // override it.
    virtual bool IsDragFromThisView(const QDropEvent& event) const;

private:
    template <class... Args>
    void Notify(
        void (IPlaylistWidgetEventObserver::*handler)(Args...), const std::decay_t<Args>&... args);

    static bool IsAccepted(const QMimeData* mime);
    int InsertionRow(const QPoint& position) const;
    void SetUnderDrop(const QModelIndex& index, bool underDrop);
    bool DropUrls(const QList<QUrl>& urls, int row);
    bool DropRows(const QByteArray& payload, int row);

    QList<IPlaylistWidgetEventObserver*> m_observers;
    bool m_leftDoubleClick = false;
    QPersistentModelIndex m_dropTarget;
};

} // namespace Tarvos::Gui
