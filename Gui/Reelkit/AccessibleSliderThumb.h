#pragma once

#include "Gui/Reelkit/AccessibleValueWidget.h"

namespace Tarvos::Gui {

class AdvancedSlider;
class AdvancedSliderThumb;

// A thumb of an AdvancedSlider as a child slider of its own: named by its
// style tag unless the host named it, valued in the slider's units within
// both the slider's and the thumb's limits, selected while it is the slider's
// selected thumb.
class AccessibleSliderThumb : public AccessibleValueWidget
{
public:
    explicit AccessibleSliderThumb(AdvancedSliderThumb* thumb);

    QString text(QAccessible::Text type) const override;
    QAccessible::State state() const override;

protected:
    Reading Read() const override;
    void SetValue(int value) override;
    QString SpokenValue() const override;

private:
    AdvancedSliderThumb* Thumb() const;
    const AdvancedSlider* Slider() const;
};

} // namespace Tarvos::Gui
