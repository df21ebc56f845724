#include "Gui/Reelkit/AccessibleValueWidget.h"

namespace Tarvos::Gui {

AccessibleValueWidget::AccessibleValueWidget(QWidget* widget, QAccessible::Role role)
    : QAccessibleWidget(widget, role)
{}

void* AccessibleValueWidget::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString AccessibleValueWidget::text(QAccessible::Text type) const
{
    if (type == QAccessible::Value)
        return SpokenValue();
    return QAccessibleWidget::text(type);
}

QVariant AccessibleValueWidget::currentValue() const
{
    return Read().value;
}

void AccessibleValueWidget::setCurrentValue(const QVariant& value)
{
    SetValue(value.toInt());
}

QVariant AccessibleValueWidget::maximumValue() const
{
    return Read().maximum;
}

QVariant AccessibleValueWidget::minimumValue() const
{
    return Read().minimum;
}

QVariant AccessibleValueWidget::minimumStepSize() const
{
    return Read().step;
}

} // namespace Tarvos::Gui
