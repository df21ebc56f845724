#include "Gui/Reelkit/AccessibleMuteButton.h"

#include "Gui/Reelkit/VolumeControl.h"

#include <QAbstractButton>

namespace Tarvos::Gui {

AccessibleMuteButton::AccessibleMuteButton(QWidget* button, VolumeControl* control)
    : QAccessibleWidget(button, QAccessible::Button)
    , m_control(control)
{}

QString AccessibleMuteButton::text(QAccessible::Text type) const
{
    if (type == QAccessible::Name && widget()->accessibleName().isEmpty())
        return tr("Mute");
    return QAccessibleWidget::text(type);
}

QAccessible::State AccessibleMuteButton::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = true;
    state.checked = m_control->isMuted();
    return state;
}

QStringList AccessibleMuteButton::actionNames() const
{
    return QAccessibleWidget::actionNames() << toggleAction();
}

void AccessibleMuteButton::doAction(const QString& actionName)
{
    if (actionName == toggleAction())
        static_cast<QAbstractButton*>(widget())->click();
    else
        QAccessibleWidget::doAction(actionName);
}

} // namespace Tarvos::Gui
