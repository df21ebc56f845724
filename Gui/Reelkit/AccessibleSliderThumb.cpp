#include "Gui/Reelkit/AccessibleSliderThumb.h"

#include "Gui/Reelkit/AccessibleSlider.h"
#include "Gui/Reelkit/AdvancedSlider.h"

namespace Tarvos::Gui {

AccessibleSliderThumb::AccessibleSliderThumb(AdvancedSliderThumb* thumb)
    : QAccessibleWidget(thumb, QAccessible::Slider)
{}

AdvancedSliderThumb* AccessibleSliderThumb::Thumb() const
{
    return static_cast<AdvancedSliderThumb*>(widget());
}

void* AccessibleSliderThumb::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString AccessibleSliderThumb::text(QAccessible::Text type) const
{
    if (type == QAccessible::Name && widget()->accessibleName().isEmpty())
        return Thumb()->styleTag();
    // The slider is the thumb's parent for as long as the thumb lives.
    if (type == QAccessible::Value)
        return AccessibleSlider::ValueText(
            static_cast<const AdvancedSlider*>(widget()->parentWidget()), Thumb()->value());
    return QAccessibleWidget::text(type);
}

QAccessible::State AccessibleSliderThumb::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.selectable = Thumb()->isSelectable();
    state.selected = Thumb()->isChecked();
    return state;
}

QVariant AccessibleSliderThumb::currentValue() const
{
    return Thumb()->value();
}

void AccessibleSliderThumb::setCurrentValue(const QVariant& value)
{
    Thumb()->setValue(value.toInt());
}

QVariant AccessibleSliderThumb::maximumValue() const
{
    return qMin(Thumb()->maximum(), static_cast<QSlider*>(widget()->parentWidget())->maximum());
}

QVariant AccessibleSliderThumb::minimumValue() const
{
    return qMax(Thumb()->minimum(), static_cast<QSlider*>(widget()->parentWidget())->minimum());
}

QVariant AccessibleSliderThumb::minimumStepSize() const
{
    return 1;
}

} // namespace Tarvos::Gui
