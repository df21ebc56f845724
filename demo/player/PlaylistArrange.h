#pragma once

#include <QObject>
#include <QString>
#include <vector>

class QMenu;
class QWidget;

namespace Tarvos::Gui {
class PlaylistItemData;
class PlaylistListView;
class PlaylistModel;
} // namespace Tarvos::Gui

namespace Player {

class PlaylistUndo;

// Sorts the playlist and moves its selected rows, each as one undoable step.
// The rows keep their records and persistent indexes, so the active entry
// stays active and the selection follows the moved rows.
class PlaylistArrange : public QObject
{
    Q_OBJECT

public:
    enum class Key
    {
        Name,
        Path,
        Duration
    };

    // Neither the view nor the undo recorder is owned.
    PlaylistArrange(
        Tarvos::Gui::PlaylistListView* view, PlaylistUndo* undo, QObject* parent = nullptr);

    // The entry's name as the list shows it: the file name, or a disc's title.
    static QString DisplayName(const Tarvos::Gui::PlaylistItemData& record);
    // The order of the rows sorted by key: names and paths in natural order
    // (numbers by value, case and accents aside), equal keys in list order.
    static std::vector<int> SortedOrder(const Tarvos::Gui::PlaylistModel& model, Key key);
    // A menu (the caller's) with the sorts and the reversal.
    QMenu* CreateMenu(QWidget* parent);

    void Sort(Key key);
    void Reverse();
    // Moves the selected rows one place up (step −1) or down (+1); nothing
    // when one of them is already at that end.
    void MoveSelection(int step);

private:
    Tarvos::Gui::PlaylistListView* m_view;
    Tarvos::Gui::PlaylistModel* m_model;
    PlaylistUndo* m_undo;
};

} // namespace Player
