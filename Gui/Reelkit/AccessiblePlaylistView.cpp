#include "Gui/Reelkit/AccessiblePlaylistView.h"

#include "Gui/Reelkit/AccessiblePlaylistRow.h"
#include "Gui/Reelkit/PlaylistListView.h"

namespace Tarvos::Gui {

AccessiblePlaylistView::AccessiblePlaylistView(PlaylistListView* view)
    : QAccessibleWidget(view, QAccessible::List)
{}

AccessiblePlaylistView::~AccessiblePlaylistView()
{
    for (const QAccessible::Id id : qAsConst(m_rows))
        QAccessible::deleteAccessibleInterface(id);
}

PlaylistListView* AccessiblePlaylistView::View() const
{
    return static_cast<PlaylistListView*>(widget());
}

int AccessiblePlaylistView::childCount() const
{
    const QAbstractItemModel* model = View()->model();
    return model ? model->rowCount() : 0;
}

QAccessibleInterface* AccessiblePlaylistView::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    const QModelIndex row = View()->model()->index(index, 0);
    const auto known = m_rows.constFind(index);
    if (known != m_rows.cend()) {
        auto* cached
            = static_cast<AccessiblePlaylistRow*>(QAccessible::accessibleInterface(*known));
        if (cached && cached->Index() == row)
            return cached;
        QAccessible::deleteAccessibleInterface(*known);
    }
    auto* created = new AccessiblePlaylistRow(View(), row);
    m_rows.insert(index, QAccessible::registerAccessibleInterface(created));
    return created;
}

int AccessiblePlaylistView::indexOfChild(const QAccessibleInterface* child) const
{
    const auto* row = dynamic_cast<const AccessiblePlaylistRow*>(child);
    return row && row->isValid() ? row->Index().row() : -1;
}

QAccessibleInterface* AccessiblePlaylistView::childAt(int x, int y) const
{
    const QPoint point = View()->viewport()->mapFromGlobal(QPoint(x, y));
    const QModelIndex index = View()->indexAt(point);
    return index.isValid() ? child(index.row()) : nullptr;
}

QAccessibleInterface* AccessiblePlaylistView::focusChild() const
{
    const QModelIndex current = View()->currentIndex();
    return View()->hasFocus() && current.isValid() ? child(current.row()) : nullptr;
}

} // namespace Tarvos::Gui
