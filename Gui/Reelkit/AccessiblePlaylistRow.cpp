#include "Gui/Reelkit/AccessiblePlaylistRow.h"

#include "Gui/Reelkit/PlaylistItemData.h"
#include "Gui/Reelkit/PlaylistListView.h"
#include "Gui/Reelkit/TimeFormat.h"

#include <QFileInfo>
#include <QItemSelectionModel>
#include <QStringList>

namespace Tarvos::Gui {

AccessiblePlaylistRow::AccessiblePlaylistRow(PlaylistListView* view, const QModelIndex& index)
    : m_view(view)
    , m_index(index)
{}

bool AccessiblePlaylistRow::isValid() const
{
    return m_view && m_index.isValid() && m_index.model() == m_view->model();
}

QObject* AccessiblePlaylistRow::object() const
{
    return nullptr;
}

QWindow* AccessiblePlaylistRow::window() const
{
    return m_view ? m_view->window()->windowHandle() : nullptr;
}

QAccessibleInterface* AccessiblePlaylistRow::parent() const
{
    return QAccessible::queryAccessibleInterface(m_view);
}

QAccessibleInterface* AccessiblePlaylistRow::child(int) const
{
    return nullptr;
}

int AccessiblePlaylistRow::childCount() const
{
    return 0;
}

int AccessiblePlaylistRow::indexOfChild(const QAccessibleInterface*) const
{
    return -1;
}

QAccessibleInterface* AccessiblePlaylistRow::childAt(int, int) const
{
    return nullptr;
}

QString AccessiblePlaylistRow::text(QAccessible::Text type) const
{
    if (!isValid())
        return QString();
    const auto item = m_index.data(Qt::DisplayRole).value<PlaylistItemData>();
    const QString name = QString::fromStdString(item.GetName());
    if (type == QAccessible::Description)
        return name;
    if (type != QAccessible::Name)
        return QString();
    // The row shows the file name alone, DVD titles their title name.
    QStringList parts { item.IsDVD() ? name : QFileInfo(name).fileName() };
    if (item.GetFileDuration() > 0)
        parts << TimeFormat::Spoken(item.GetFileDuration() / 1000);
    if (item.GetActive())
        parts << tr("playing");
    if (!item.IsValid())
        parts << tr("cannot be played");
    return parts.join(QStringLiteral(", "));
}

void AccessiblePlaylistRow::setText(QAccessible::Text, const QString&) {}

QRect AccessiblePlaylistRow::rect() const
{
    if (!isValid())
        return QRect();
    const QRect area = m_view->visualRect(m_index);
    return QRect(m_view->viewport()->mapToGlobal(area.topLeft()), area.size());
}

QAccessible::Role AccessiblePlaylistRow::role() const
{
    return QAccessible::ListItem;
}

QAccessible::State AccessiblePlaylistRow::state() const
{
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    state.selectable = true;
    state.focusable = true;
    state.selected = m_view->selectionModel() && m_view->selectionModel()->isSelected(m_index);
    state.focused = m_view->hasFocus() && m_view->currentIndex() == m_index;
    state.invisible = !m_view->viewport()->rect().intersects(m_view->visualRect(m_index));
    return state;
}

} // namespace Tarvos::Gui
