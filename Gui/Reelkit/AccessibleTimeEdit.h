#pragma once

#include <QAccessibleWidget>

namespace Tarvos::Gui {

class TimeEdit;

// A TimeEdit as a spin box whose value is read as a spoken time ("1:02:03")
// whatever its display format, and set in milliseconds from midnight.
class AccessibleTimeEdit : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit AccessibleTimeEdit(TimeEdit* edit);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text type) const override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant& value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

private:
    static constexpr int StepMilliseconds = 1000;

    TimeEdit* Edit() const;
};

} // namespace Tarvos::Gui
