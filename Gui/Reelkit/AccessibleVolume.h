#pragma once

#include <QAccessibleWidget>
#include <QCoreApplication>

namespace Tarvos::Gui {

// A VolumeControl or a VolumeButton, or the slider inside one, as a volume
// slider from 0 to 100: read as a percentage ("40%"), with "muted" while the
// control is muted, and set through the control's SetVolume().
class AccessibleVolume : public QAccessibleWidget, public QAccessibleValueInterface
{
    Q_DECLARE_TR_FUNCTIONS(AccessibleVolume)

public:
    // widget is the control itself or its slider; control owns the volume.
    AccessibleVolume(QWidget* widget, QWidget* control);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text type) const override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant& value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

private:
    static constexpr int MaximumVolume = 100;

    bool IsMuted() const;

    QWidget* m_control;
};

} // namespace Tarvos::Gui
