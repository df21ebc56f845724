#pragma once

#include <QAccessibleWidget>

namespace Tarvos::Gui {

// A widget whose accessible value is one whole number within limits. It
// answers the value interface and the Value text from what a subclass reads
// off its widget, so that each kind of control says only what its value is,
// how it is spoken and how it is set.
class AccessibleValueWidget : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text type) const override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant& value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

protected:
    // The value and its limits, in the widget's own units.
    struct Reading
    {
        int value;
        int minimum;
        int maximum;
        int step;
    };

    AccessibleValueWidget(QWidget* widget, QAccessible::Role role);

    virtual Reading Read() const = 0;
    virtual void SetValue(int value) = 0;
    // The value as a screen reader speaks it.
    virtual QString SpokenValue() const = 0;
};

} // namespace Tarvos::Gui
