#pragma once

class QAction;
class QActionGroup;
class QMenu;

namespace Tarvos::Gui {

class PlaylistItemData;

// Fills the context menu's video and audio track sub-menus with the streams
// of one playlist entry, checks the stream that plays, and tells which stream
// a picked item stands for (each item carries its stream as its data).
class PlaylistTrackMenus
{
public:
    // Each menu is cleared and disabled when the entry has no such stream;
    // its items join the group, which keeps one of them checked.
    static void Fill(QMenu* videoMenu, QActionGroup* videoGroup, QMenu* audioMenu,
        QActionGroup* audioGroup, const PlaylistItemData& entry);
    // The stream of an item made by Fill(); −1 for any other action.
    static int StreamOf(const QAction* action);
};

} // namespace Tarvos::Gui
