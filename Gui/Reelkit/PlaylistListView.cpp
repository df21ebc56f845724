#include "Gui/Reelkit/PlaylistListView.h"

#include "Gui/Reelkit/IPlaylistWidgetEventObserver.h"
#include "Gui/Reelkit/PlaylistItemData.h"
#include "Gui/Reelkit/PlaylistModel.h"
#include "host/DataInputString.h"
#include "host/Property.h"
#include "host/PropertySerializer.h"

#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QUrl>
#include <QWheelEvent>
#include <algorithm>

namespace Tarvos::Gui {

PlaylistListView::PlaylistListView(QWidget* parent)
    : QListView(parent)
{
    connect(this, &QAbstractItemView::doubleClicked, this, &PlaylistListView::OnDoubleClick);
    setAttribute(Qt::WA_MacShowFocusRect, false);
}

PlaylistListView::~PlaylistListView() = default;

void PlaylistListView::AddEventObserver(IPlaylistWidgetEventObserver* observer)
{
    if (observer && !m_observers.contains(observer))
        m_observers.append(observer);
}

void PlaylistListView::RemoveEventObserver(IPlaylistWidgetEventObserver* observer)
{
    m_observers.removeAll(observer);
}

int PlaylistListView::GetSelectedRow() const
{
    const QItemSelectionModel* selection = selectionModel();
    if (!selection)
        return -1;
    // The last of selectedRows(0), found from the end: that list takes each row
    // from the first range that holds it, range by range, rows ascending.
    // Building it whole would make removing the selection row by row quadratic.
    const QItemSelection ranges = selection->selection();
    for (int i = ranges.size() - 1; i >= 0; --i) {
        const QItemSelectionRange& range = ranges.at(i);
        const QModelIndex parent = range.parent();
        int row = range.bottom();
        while (row >= range.top()) {
            const auto earlier = std::find_if(
                ranges.cbegin(), ranges.cbegin() + i, [&](const QItemSelectionRange& other) {
                    return other.parent() == parent && other.top() <= row && row <= other.bottom();
                });
            if (earlier != ranges.cbegin() + i)
                row = earlier->top() - 1;
            else if (selection->isRowSelected(row, parent))
                return row;
            else
                --row;
        }
    }
    return -1;
}

void PlaylistListView::OnDoubleClick(const QModelIndex& index)
{
    if (m_leftDoubleClick)
        Notify(&IPlaylistWidgetEventObserver::OnPlaylistWidgetDoubleClicked,
            QPersistentModelIndex(index));
}

void PlaylistListView::keyPressEvent(QKeyEvent* event)
{
    const QKeySequence pressed(event->key() | int(event->modifiers()));
    for (const int shortcut : ParentShortcuts) {
        if (pressed.matches(QKeySequence(shortcut)) == QKeySequence::ExactMatch) {
            event->ignore();
            return;
        }
    }
    Notify(&IPlaylistWidgetEventObserver::OnPlaylistWidgetKeyPress, event->key());
    QAbstractItemView::keyPressEvent(event);
}

void PlaylistListView::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    const QScrollBar* bar = verticalScrollBar();
    if ((delta > 0 && bar->value() > bar->minimum())
        || (delta < 0 && bar->value() < bar->maximum()))
        QAbstractScrollArea::wheelEvent(event);
    // Even at either end of the list the turn must not scroll the parent.
    event->accept();
}

void PlaylistListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    m_leftDoubleClick = event->button() == Qt::LeftButton;
    QAbstractItemView::mouseDoubleClickEvent(event);
}

void PlaylistListView::dragEnterEvent(QDragEnterEvent* event)
{
    if (IsAccepted(event->mimeData()))
        event->acceptProposedAction();
    else
        QAbstractItemView::dragEnterEvent(event);
}

void PlaylistListView::dragMoveEvent(QDragMoveEvent* event)
{
    if (!IsAccepted(event->mimeData())) {
        QListView::dragMoveEvent(event);
        return;
    }
    event->acceptProposedAction();
    const QPersistentModelIndex target(indexAt(event->pos() - QPoint(0, DropMarkerOffset)));
    if (target != m_dropTarget) {
        SetUnderDrop(m_dropTarget, false);
        m_dropTarget = target;
    }
    SetUnderDrop(m_dropTarget, true);
}

void PlaylistListView::dragLeaveEvent(QDragLeaveEvent*)
{
    SetUnderDrop(m_dropTarget, false);
}

void PlaylistListView::dropEvent(QDropEvent* event)
{
    SetUnderDrop(m_dropTarget, false);
    const QMimeData* mime = event->mimeData();
    if (!IsAccepted(mime)) {
        QListView::dropEvent(event);
        return;
    }
    const int row = InsertionRow(event->pos());
    const bool dropped = mime->hasUrls() ? DropUrls(mime->urls(), row)
                                         : DropRows(mime->data(PlaylistModel::MimeType), row);
    if (!dropped) {
        // Nothing was announced, so a move must not remove the dragged rows either.
        event->setDropAction(Qt::IgnoreAction);
        event->ignore();
        return;
    }
    if (IsDragFromThisView(*event) && !(event->keyboardModifiers() & Qt::ControlModifier))
        event->setDropAction(Qt::MoveAction);
    event->accept();
}

bool PlaylistListView::IsDragFromThisView(const QDropEvent& event) const
{
    return event.source() == this;
}

template <class... Args>
void PlaylistListView::Notify(
    void (IPlaylistWidgetEventObserver::*handler)(Args...), const std::decay_t<Args>&... args)
{
    // A copy: an observer may register another one while it is told.
    const QList<IPlaylistWidgetEventObserver*> observers = m_observers;
    for (IPlaylistWidgetEventObserver* observer : observers)
        (observer->*handler)(args...);
}

bool PlaylistListView::IsAccepted(const QMimeData* mime)
{
    return mime && (mime->hasUrls() || mime->hasFormat(PlaylistModel::MimeType));
}

int PlaylistListView::InsertionRow(const QPoint& position) const
{
    const QModelIndex above = indexAt(position - QPoint(0, DropMarkerOffset));
    if (above.isValid())
        return above.row() + 1;
    return model() ? model()->rowCount(QModelIndex()) : 0;
}

void PlaylistListView::SetUnderDrop(const QModelIndex& index, bool underDrop)
{
    if (!index.isValid() || index.model() != model())
        return;
    const QVariant value = index.data(Qt::DisplayRole);
    if (value.userType() != qMetaTypeId<PlaylistItemData>())
        return;
    PlaylistItemData item = value.value<PlaylistItemData>();
    // Unchanged entries are not written, so that a drag does not flood the
    // observers of the model.
    if (item.GetUnderDrop() == underDrop)
        return;
    item.SetUnderDrop(underDrop);
    model()->setData(index, QVariant::fromValue(item), Qt::EditRole);
}

bool PlaylistListView::DropUrls(const QList<QUrl>& urls, int row)
{
    // The last file goes in first, so that all of them keep their order at row.
    for (auto url = urls.crbegin(); url != urls.crend(); ++url)
        Notify(&IPlaylistWidgetEventObserver::OnFileDropped, url->toLocalFile().toStdString(), row);
    return !urls.isEmpty();
}

bool PlaylistListView::DropRows(const QByteArray& payload, int row)
{
    // The payload may come from any process: anything that is not a list of
    // unnamed, non-empty texts is left out.
    if (payload.isEmpty() || payload.size() > MaxRowPayloadSize)
        return false;
    const std::string text = payload.toStdString();
    Core::Property root;
    if (!Core::PropertySerializer::Deserialize(root, io::DataInputString::Create(&text), true)
        || !root.IsArrayType())
        return false;

    const Core::Property& entries = root;
    bool dropped = false;
    for (unsigned i = entries.Count(); i-- > 0;) {
        const Core::Property& entry = entries[i];
        if (entry.GetType() != Core::Property::Type::String || !entry.GetName().empty()
            || entry.Count() != 0)
            continue;
        std::string path = entry.GetString();
        // A leading "*" marks the entry that was playing.
        const bool active = !path.empty() && path.front() == '*';
        if (active)
            path.erase(0, 1);
        if (path.empty() || path.find('\0') != std::string::npos)
            continue;
        Notify(active ? &IPlaylistWidgetEventObserver::OnActiveFileDropped
                      : &IPlaylistWidgetEventObserver::OnFileDropped,
            path, row);
        dropped = true;
    }
    return dropped;
}

} // namespace Tarvos::Gui
