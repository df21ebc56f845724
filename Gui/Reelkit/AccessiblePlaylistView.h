#pragma once

#include <QAccessibleWidget>
#include <QHash>

namespace Tarvos::Gui {

class PlaylistListView;

// A PlaylistListView as a list whose children are its rows
// (AccessiblePlaylistRow), child i being row i, as the view's focus and
// selection events count them.
class AccessiblePlaylistView : public QAccessibleWidget
{
public:
    explicit AccessiblePlaylistView(PlaylistListView* view);
    // Unregisters the rows' interfaces, which belong to no object.
    ~AccessiblePlaylistView() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

private:
    PlaylistListView* View() const;

    // Row → interface id. A row's interface follows its entry; once the entry
    // has moved or gone, the row gets a new one.
    mutable QHash<int, QAccessible::Id> m_rows;
};

} // namespace Tarvos::Gui
