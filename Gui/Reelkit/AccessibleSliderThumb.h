#pragma once

#include <QAccessibleWidget>

namespace Tarvos::Gui {

class AdvancedSliderThumb;

// A thumb of an AdvancedSlider as a child slider of its own: named by its
// style tag unless the host named it, valued in the slider's units within
// both the slider's and the thumb's limits, selected while it is the slider's
// selected thumb.
class AccessibleSliderThumb : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit AccessibleSliderThumb(AdvancedSliderThumb* thumb);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text type) const override;
    QAccessible::State state() const override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant& value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

private:
    AdvancedSliderThumb* Thumb() const;
};

} // namespace Tarvos::Gui
