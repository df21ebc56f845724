#include "Gui/Reelkit/AccessibleSliderThumb.h"

#include "Gui/Reelkit/AccessibleSlider.h"
#include "Gui/Reelkit/AdvancedSlider.h"

namespace Tarvos::Gui {

AccessibleSliderThumb::AccessibleSliderThumb(AdvancedSliderThumb* thumb)
    : AccessibleValueWidget(thumb, QAccessible::Slider)
{}

AdvancedSliderThumb* AccessibleSliderThumb::Thumb() const
{
    return static_cast<AdvancedSliderThumb*>(widget());
}

const AdvancedSlider* AccessibleSliderThumb::Slider() const
{
    // The slider is the thumb's parent for as long as the thumb lives.
    return static_cast<const AdvancedSlider*>(widget()->parentWidget());
}

QString AccessibleSliderThumb::text(QAccessible::Text type) const
{
    if (type == QAccessible::Name && widget()->accessibleName().isEmpty())
        return Thumb()->styleTag();
    return AccessibleValueWidget::text(type);
}

QAccessible::State AccessibleSliderThumb::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.selectable = Thumb()->isSelectable();
    state.selected = Thumb()->isChecked();
    return state;
}

AccessibleValueWidget::Reading AccessibleSliderThumb::Read() const
{
    const AdvancedSlider* slider = Slider();
    return { Thumb()->value(), qMax(Thumb()->minimum(), slider->minimum()),
        qMin(Thumb()->maximum(), slider->maximum()), 1 };
}

void AccessibleSliderThumb::SetValue(int value)
{
    Thumb()->setValue(value);
}

QString AccessibleSliderThumb::SpokenValue() const
{
    return AccessibleSlider::ValueText(Slider(), Thumb()->value());
}

} // namespace Tarvos::Gui
