#include "Gui/Reelkit/AccessibleVolume.h"

#include "Gui/Reelkit/VolumeButton.h"
#include "Gui/Reelkit/VolumeControl.h"

namespace Tarvos::Gui {

AccessibleVolume::AccessibleVolume(QWidget* widget, QWidget* control)
    : QAccessibleWidget(widget, QAccessible::Slider)
    , m_control(control)
{}

void* AccessibleVolume::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

bool AccessibleVolume::IsMuted() const
{
    const auto* control = qobject_cast<const VolumeControl*>(m_control);
    return control && control->isMuted();
}

QString AccessibleVolume::text(QAccessible::Text type) const
{
    if (type == QAccessible::Name && widget()->accessibleName().isEmpty())
        return tr("Volume");
    if (type == QAccessible::Value) {
        const int volume = currentValue().toInt();
        return IsMuted() ? tr("%1%, muted").arg(volume) : tr("%1%").arg(volume);
    }
    return QAccessibleWidget::text(type);
}

QVariant AccessibleVolume::currentValue() const
{
    if (const auto* control = qobject_cast<const VolumeControl*>(m_control))
        return control->volume();
    return static_cast<int>(static_cast<const VolumeButton*>(m_control)->volume());
}

void AccessibleVolume::setCurrentValue(const QVariant& value)
{
    QMetaObject::invokeMethod(m_control, "SetVolume", Q_ARG(int, value.toInt()));
}

QVariant AccessibleVolume::maximumValue() const
{
    return MaximumVolume;
}

QVariant AccessibleVolume::minimumValue() const
{
    return 0;
}

QVariant AccessibleVolume::minimumStepSize() const
{
    return 1;
}

} // namespace Tarvos::Gui
