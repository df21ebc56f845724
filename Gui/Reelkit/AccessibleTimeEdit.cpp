#include "Gui/Reelkit/AccessibleTimeEdit.h"

#include "Gui/Reelkit/TimeEdit.h"
#include "Gui/Reelkit/TimeFormat.h"

namespace Tarvos::Gui {

AccessibleTimeEdit::AccessibleTimeEdit(TimeEdit* edit)
    : QAccessibleWidget(edit, QAccessible::SpinBox)
{}

TimeEdit* AccessibleTimeEdit::Edit() const
{
    return static_cast<TimeEdit*>(widget());
}

void* AccessibleTimeEdit::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString AccessibleTimeEdit::text(QAccessible::Text type) const
{
    if (type == QAccessible::Value)
        return TimeFormat::Spoken(Edit()->time().msecsSinceStartOfDay());
    return QAccessibleWidget::text(type);
}

QVariant AccessibleTimeEdit::currentValue() const
{
    return Edit()->time().msecsSinceStartOfDay();
}

void AccessibleTimeEdit::setCurrentValue(const QVariant& value)
{
    Edit()->setTime(QTime::fromMSecsSinceStartOfDay(value.toInt()));
}

QVariant AccessibleTimeEdit::maximumValue() const
{
    return Edit()->maximumTime().msecsSinceStartOfDay();
}

QVariant AccessibleTimeEdit::minimumValue() const
{
    return Edit()->minimumTime().msecsSinceStartOfDay();
}

QVariant AccessibleTimeEdit::minimumStepSize() const
{
    return StepMilliseconds;
}

} // namespace Tarvos::Gui
