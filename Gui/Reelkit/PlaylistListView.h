#pragma once

#include "Gui/Reelkit/ObserverList.h"
#include "Gui/Reelkit/PlaylistItemData.h"
#include "Gui/Reelkit/ReelkitExport.h"

#include <QList>
#include <QListView>
#include <QPersistentModelIndex>
#include <QPointer>
#include <string>
#include <vector>

class QAction;
class QActionGroup;
class QDropEvent;
class QMenu;

namespace Tarvos::Gui {

class IPlaylistWidgetEventObserver;

/// The list of the playlist. It turns key presses, double clicks and drops of
/// files and playlist rows into calls on its observers, and marks the row after
/// which a drop would insert by the entry's under-drop flag.
///
/// Rows are inserted by the observers, never by the view: a drop announces each
/// file with the row at which it belongs, the last file first, so that they
/// keep their order when each is inserted at that row. When the drop moves
/// rows within this view (no Ctrl held), the standard drag code removes the
/// dragged rows afterwards.
///
/// A right click on a row opens the host's context menu, fitted to that row's
/// entry: its "action_FileInformation" action asks for ShowFileInfo(), and its
/// "VideoTrack" and "AudioTrack" sub-menus list the entry's streams, the
/// entry's choice (or else the main or first stream) checked. Picking a stream
/// is reported to the observers; the entry itself is left as it is. Without
/// media information all three are disabled. The right click needs the
/// context-menu policy Qt::CustomContextMenu, which the Playlist frame sets.
///
/// Expects a model whose rows hold PlaylistItemData, such as PlaylistModel
/// (PlaylistController installs one). GUI thread only.
class REELKIT_EXPORT PlaylistListView : public QListView
{
    Q_OBJECT

public:
    /// The drop position is looked up this many pixels above the cursor, so
    /// that with 24-pixel rows a drop inserts at the row boundary nearest to
    /// the cursor.
    static constexpr int DropMarkerOffset = 12;
    /// \name Object names in the context menu
    /// The view finds these in the menu that SetContextMenu() hands over.
    //@{
    /// The QAction that asks for the entry's file information (ShowFileInfo()).
    static const QString FileInformationName;
    /// The sub-menu that the view fills with the entry's video tracks.
    static const QString VideoTrackName;
    /// The sub-menu that the view fills with the entry's audio tracks.
    static const QString AudioTrackName;
    //@}
    /// Key combinations that the view leaves to its parent widgets, unreported:
    /// Ctrl+Shift+A, Ctrl+Up and Ctrl+Down.
    static constexpr int ParentShortcuts[] = {
        int(Qt::CTRL) | int(Qt::SHIFT) | int(Qt::Key_A),
        int(Qt::CTRL) | int(Qt::Key_Up),
        int(Qt::CTRL) | int(Qt::Key_Down),
    };

    /// An empty view without observers or context menu. Registers the
    /// meta-type "std::string" for ShowFileInfo().
    explicit PlaylistListView(QWidget* parent = nullptr);
    /// Deletes the context menu.
    ~PlaylistListView() override;

    /// Registers an observer. Observers are not owned: each must outlive the
    /// view or be removed first. Null, or adding one twice, has no effect.
    /// They are told in registration order.
    void AddEventObserver(IPlaylistWidgetEventObserver* observer);
    /// Unregisters the observer; unknown ones are ignored.
    void RemoveEventObserver(IPlaylistWidgetEventObserver* observer);

    /// The row of the last entry of the selection model's selected rows, −1 if none.
    int GetSelectedRow() const;

    /// Takes the menu over and deletes the one set before (null leaves none).
    /// Its items are found by object name, at any depth.
    void SetContextMenu(QMenu* menu);

signals:
    /// The UTF-8 path of the entry whose file information the user asked for
    /// through the menu's "action_FileInformation".
    void ShowFileInfo(std::string path);

public slots:
    /// Connected to doubleClicked(): reports a left-button double click on a
    /// row to the observers (OnPlaylistWidgetDoubleClicked()).
    void OnDoubleClick(const QModelIndex& index);
    /// Opens the context menu for the row at pos (viewport coordinates) and
    /// returns when it closes; nothing outside the rows or without a menu.
    void ShowContextMenu(const QPoint& pos);
    /// Reports the stream of the picked "AudioTrack" item, for the row whose
    /// menu was opened last (OnPlaylistWidgetAudioTrackSelected()).
    void OnAudioTrackChanged(QAction* action);
    /// Reports the stream of the picked "VideoTrack" item, for the row whose
    /// menu was opened last (OnPlaylistWidgetVideoTrackSelected()).
    void OnVideoTrackChanged(QAction* action);
    /// Emits ShowFileInfo() with the path of the row whose menu was opened last.
    void OnFileInfoTriggered();

    /// Does nothing: entries are files, not text, so typing does not move the
    /// current row (the keys reach the observers instead).
    void keyboardSearch(const QString& search) override;

protected:
    /// Reports the key to the observers (OnPlaylistWidgetKeyPress()), then
    /// handles it as a list view does; ParentShortcuts are ignored instead,
    /// so that they reach the parent widgets.
    void keyPressEvent(QKeyEvent* event) override;
    /// Scrolls the list; the wheel is taken even at either end, so that it
    /// never scrolls a parent.
    void wheelEvent(QWheelEvent* event) override;
    /// Remembers whether the double click was the left button's, for OnDoubleClick().
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    /// Accepts drags of URLs and of playlist rows (PlaylistModel::MimeType).
    void dragEnterEvent(QDragEnterEvent* event) override;
    /// Moves the drop marker: the entry DropMarkerOffset pixels above the
    /// cursor gets the under-drop flag, the one marked before loses it.
    void dragMoveEvent(QDragMoveEvent* event) override;
    /// Clears the drop marker.
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    /// Announces the dropped files (local paths of the URLs) or rows to the
    /// observers with the insertion row: after the entry DropMarkerOffset
    /// pixels above the cursor, else at the end. A row that was the active
    /// entry comes as OnActiveFileDropped(). A payload that holds no file is
    /// ignored and moves nothing.
    void dropEvent(QDropEvent* event) override;

    /// Whether the drop comes from a drag that this view started; only such a
    /// drop can be a move. Tests, whose hand-made drop events carry no source,
    /// override it.
    virtual bool IsDragFromThisView(const QDropEvent& event) const;

private:
    static bool IsAccepted(const QMimeData* mime);
    int InsertionRow(const QPoint& position) const;
    void SetUnderDrop(const QModelIndex& index, bool underDrop);
    bool DropUrls(const QList<QUrl>& urls, int row);
    bool DropRows(const QByteArray& payload, int row);

    void UpdateContextMenu(QPersistentModelIndex index);

    ObserverList<IPlaylistWidgetEventObserver> m_observers;
    bool m_leftDoubleClick = false;
    // Owned; guarded in case the host deletes it first.
    QPointer<QMenu> m_contextMenu;
    // Inside ShowContextMenu's exec() of the context menu.
    bool m_menuOpen = false;
    QPersistentModelIndex m_dropTarget;
    QActionGroup* m_audioGroup;
    QActionGroup* m_videoGroup;
    // The row whose menu was opened last, and a copy of its entry from then.
    QPersistentModelIndex m_menuEntryIndex;
    PlaylistItemData m_menuEntry;
};

} // namespace Tarvos::Gui
