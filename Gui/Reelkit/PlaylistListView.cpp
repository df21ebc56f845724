#include "Gui/Reelkit/PlaylistListView.h"

#include "Gui/Reelkit/AccessibleFactory.h"
#include "Gui/Reelkit/IPlaylistWidgetEventObserver.h"
#include "Gui/Reelkit/PlaylistDragPayload.h"
#include "Gui/Reelkit/PlaylistItemData.h"
#include "Gui/Reelkit/PlaylistModel.h"
#include "Gui/Reelkit/PlaylistTrackMenus.h"
#include "Gui/Reelkit/QtCompat.h"

#include <QAction>
#include <QActionGroup>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QUrl>
#include <QWheelEvent>
#include <algorithm>

namespace Tarvos::Gui {

const QString PlaylistListView::FileInformationName = QStringLiteral("action_FileInformation");
const QString PlaylistListView::VideoTrackName = QStringLiteral("VideoTrack");
const QString PlaylistListView::AudioTrackName = QStringLiteral("AudioTrack");

PlaylistListView::PlaylistListView(QWidget* parent)
    : QListView(parent)
    , m_audioGroup(new QActionGroup(this))
    , m_videoGroup(new QActionGroup(this))
{
    AccessibleFactory::Attach(this);
    // ShowFileInfo crosses queued connections and signal spies by this name.
    qRegisterMetaType<std::string>("std::string");

    connect(this, &QAbstractItemView::doubleClicked, this, &PlaylistListView::OnDoubleClick);
    connect(this, &QWidget::customContextMenuRequested, this, &PlaylistListView::ShowContextMenu);
    setAttribute(Qt::WA_MacShowFocusRect, false);
    connect(m_audioGroup, &QActionGroup::triggered, this, &PlaylistListView::OnAudioTrackChanged);
    connect(m_videoGroup, &QActionGroup::triggered, this, &PlaylistListView::OnVideoTrackChanged);
}

PlaylistListView::~PlaylistListView()
{
    delete m_contextMenu;
}

void PlaylistListView::AddEventObserver(IPlaylistWidgetEventObserver* observer)
{
    m_observers.Add(observer);
}

void PlaylistListView::RemoveEventObserver(IPlaylistWidgetEventObserver* observer)
{
    m_observers.Remove(observer);
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

void PlaylistListView::SetContextMenu(QMenu* menu)
{
    if (m_contextMenu && menu != m_contextMenu) {
        // A slot of one of the open menu's actions may hand over a new menu,
        // with the old menu's exec() still on the stack: free it afterwards.
        if (m_menuOpen)
            m_contextMenu->deleteLater();
        else
            delete m_contextMenu;
    }
    m_contextMenu = menu;
    if (!menu)
        return;
    if (QAction* fileInfo = menu->findChild<QAction*>(FileInformationName))
        connect(fileInfo, &QAction::triggered, this, &PlaylistListView::OnFileInfoTriggered,
            Qt::UniqueConnection);
}

void PlaylistListView::keyboardSearch(const QString&) {}

void PlaylistListView::ShowContextMenu(const QPoint& pos)
{
    const QModelIndex index = indexAt(pos);
    if (!index.isValid() || !m_contextMenu)
        return;
    m_menuEntryIndex = index;
    UpdateContextMenu(m_menuEntryIndex);
    const QPointer<PlaylistListView> self(this);
    m_menuOpen = true;
    m_contextMenu->exec(viewport()->mapToGlobal(pos));
    if (self)
        m_menuOpen = false;
}

void PlaylistListView::OnAudioTrackChanged(QAction* action)
{
    const int stream = PlaylistTrackMenus::StreamOf(action);
    if (stream != -1)
        m_observers.Notify(&IPlaylistWidgetEventObserver::OnPlaylistWidgetAudioTrackSelected,
            QPersistentModelIndex(m_menuEntryIndex), static_cast<unsigned int>(stream));
}

void PlaylistListView::OnVideoTrackChanged(QAction* action)
{
    const int stream = PlaylistTrackMenus::StreamOf(action);
    if (stream != -1)
        m_observers.Notify(&IPlaylistWidgetEventObserver::OnPlaylistWidgetVideoTrackSelected,
            QPersistentModelIndex(m_menuEntryIndex), static_cast<unsigned int>(stream));
}

void PlaylistListView::OnFileInfoTriggered()
{
    emit ShowFileInfo(m_menuEntry.GetFilename().utf8string());
}

void PlaylistListView::OnDoubleClick(const QModelIndex& index)
{
    if (m_leftDoubleClick)
        m_observers.Notify(&IPlaylistWidgetEventObserver::OnPlaylistWidgetDoubleClicked,
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
    m_observers.Notify(&IPlaylistWidgetEventObserver::OnPlaylistWidgetKeyPress, event->key());
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
    const QPersistentModelIndex target(
        indexAt(QtCompat::Position(event) - QPoint(0, DropMarkerOffset)));
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
    const int row = InsertionRow(QtCompat::Position(event));
    const bool dropped = mime->hasUrls() ? DropUrls(mime->urls(), row)
                                         : DropRows(mime->data(PlaylistModel::MimeType), row);
    if (!dropped) {
        // Nothing was announced, so a move must not remove the dragged rows either.
        event->setDropAction(Qt::IgnoreAction);
        event->ignore();
        return;
    }
    if (IsDragFromThisView(*event) && !(QtCompat::Modifiers(event) & Qt::ControlModifier))
        event->setDropAction(Qt::MoveAction);
    event->accept();
}

bool PlaylistListView::IsDragFromThisView(const QDropEvent& event) const
{
    return event.source() == this;
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
        m_observers.Notify(
            &IPlaylistWidgetEventObserver::OnFileDropped, url->toLocalFile().toStdString(), row);
    return !urls.isEmpty();
}

bool PlaylistListView::DropRows(const QByteArray& payload, int row)
{
    const std::vector<PlaylistDragPayload::Entry> entries = PlaylistDragPayload::Decode(payload);
    // The last entry goes in first, so that all of them keep their order at row.
    for (auto entry = entries.crbegin(); entry != entries.crend(); ++entry) {
        m_observers.Notify(entry->active ? &IPlaylistWidgetEventObserver::OnActiveFileDropped
                                         : &IPlaylistWidgetEventObserver::OnFileDropped,
            entry->path, row);
    }
    return !entries.empty();
}

void PlaylistListView::UpdateContextMenu(QPersistentModelIndex index)
{
    m_menuEntry = model()->data(index, Qt::DisplayRole).value<PlaylistItemData>();

    auto* fileInfo = m_contextMenu->findChild<QAction*>(FileInformationName);
    auto* videoMenu = m_contextMenu->findChild<QMenu*>(VideoTrackName);
    auto* audioMenu = m_contextMenu->findChild<QMenu*>(AudioTrackName);
    if (!fileInfo || !videoMenu || !audioMenu)
        return;

    if (!m_menuEntry.IsInfoExtracted()) {
        fileInfo->setEnabled(false);
        videoMenu->setEnabled(false);
        audioMenu->setEnabled(false);
        return;
    }
    fileInfo->setEnabled(true);
    PlaylistTrackMenus::Fill(videoMenu, m_videoGroup, audioMenu, m_audioGroup, m_menuEntry);
}

} // namespace Tarvos::Gui
