#include "Gui/Reelkit/AccessiblePlaylist.h"

#include "Gui/Reelkit/Playlist.h"

#include <QLabel>

namespace Tarvos::Gui {

AccessiblePlaylist::AccessiblePlaylist(Playlist* playlist)
    : QAccessibleWidget(playlist, QAccessible::Grouping)
{}

bool AccessiblePlaylist::IsBusy() const
{
    const auto* bar = widget()->findChild<QWidget*>(QStringLiteral("busyBar"));
    return bar && bar->isVisibleTo(widget());
}

QAccessible::State AccessiblePlaylist::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.busy = IsBusy();
    return state;
}

QString AccessiblePlaylist::text(QAccessible::Text type) const
{
    if (type == QAccessible::Description && widget()->accessibleDescription().isEmpty()) {
        const auto* label = widget()->findChild<QLabel*>(QStringLiteral("busyLabel"));
        return label && label->isVisibleTo(widget()) ? label->text() : QString();
    }
    return QAccessibleWidget::text(type);
}

} // namespace Tarvos::Gui
