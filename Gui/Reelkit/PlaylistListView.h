#pragma once

#include "Gui/Reelkit/ObserverList.h"
#include "Gui/Reelkit/PlaylistItemData.h"
#include "Gui/Reelkit/ReelkitExport.h"

#include <QList>
#include <QListView>
#include <QPersistentModelIndex>
#include <QPointer>
#include <map>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

class QAction;
class QActionGroup;
class QDropEvent;
class QMenu;

namespace Tarvos::Gui {

class IPlaylistWidgetEventObserver;

// The list of the playlist. It turns key presses, double clicks and drops of
// files and playlist rows into calls on its observers, and marks the row after
// which a drop would insert by the entry's under-drop flag.
//
// Rows are inserted by the observers, never by the view: a drop announces each
// file with the row at which it belongs. When the drop moves rows within this
// view, the standard drag code removes the dragged rows afterwards.
//
// A right click on a row opens the host's context menu, fitted to that row's
// entry: its "action_FileInformation" action asks for ShowFileInfo, and its
// "VideoTrack" and "AudioTrack" sub-menus list the entry's streams, the
// entry's choice (or else the main or first stream) checked. Picking a stream
// is reported to the observers; the entry itself is left as it is.
class REELKIT_EXPORT PlaylistListView : public QListView
{
    Q_OBJECT

public:
    // The drop position is looked up this far above the cursor, so that with
    // 24-pixel rows a drop inserts at the row boundary nearest to the cursor.
    static constexpr int DropMarkerOffset = 12;
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

    // Takes the menu over and deletes the one set before. Its items are found
    // by object name, at any depth.
    void SetContextMenu(QMenu* menu);

signals:
    // The UTF-8 path of the entry whose file information the user asked for.
    void ShowFileInfo(std::string path);

public slots:
    void OnDoubleClick(const QModelIndex& index);
    // Opens the context menu for the row at pos (viewport coordinates) and
    // returns when it closes.
    void ShowContextMenu(const QPoint& pos);
    void OnAudioTrackChanged(QAction* action);
    void OnVideoTrackChanged(QAction* action);
    void OnFileInfoTriggered();

    // Does nothing: entries are files, not text, so typing does not move the
    // current row (the keys reach the observers instead).
    void keyboardSearch(const QString& search) override;

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
    // (stream index, UTF-8 label) in stream order.
    using TrackList = std::vector<std::pair<int, std::string>>;

    static bool IsAccepted(const QMimeData* mime);
    int InsertionRow(const QPoint& position) const;
    void SetUnderDrop(const QModelIndex& index, bool underDrop);
    bool DropUrls(const QList<QUrl>& urls, int row);
    bool DropRows(const QByteArray& payload, int row);

    void UpdateContextMenu(QPersistentModelIndex index);
    static std::string VideoTrackLabel(int number, const Core::Property& codecInfo);
    static std::string AudioTrackLabel(int number, const Core::Property& codecInfo);
    static void FillTrackMenu(QMenu* menu, QActionGroup* group, std::map<int, QAction*>& actions,
        const TrackList& tracks);
    static void CheckTrack(const std::map<int, QAction*>& actions, int stream);
    static int StreamOf(const std::map<int, QAction*>& actions, const QAction* action);

    ObserverList<IPlaylistWidgetEventObserver> m_observers;
    bool m_leftDoubleClick = false;
    // Owned; guarded in case the host deletes it first.
    QPointer<QMenu> m_contextMenu;
    // Inside ShowContextMenu's exec() of the context menu.
    bool m_menuOpen = false;
    QPersistentModelIndex m_dropTarget;
    QActionGroup* m_audioGroup;
    QActionGroup* m_videoGroup;
    // Stream index → its item in the track sub-menu.
    std::map<int, QAction*> m_audioActions;
    std::map<int, QAction*> m_videoActions;
    // The row whose menu was opened last, and a copy of its entry from then.
    QPersistentModelIndex m_menuEntryIndex;
    PlaylistItemData m_menuEntry;
};

} // namespace Tarvos::Gui
