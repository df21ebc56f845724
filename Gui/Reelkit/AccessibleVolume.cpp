#include "Gui/Reelkit/AccessibleVolume.h"

#include "Gui/Reelkit/VolumeButton.h"
#include "Gui/Reelkit/VolumeControl.h"

namespace Tarvos::Gui {

AccessibleVolume::AccessibleVolume(QWidget* widget, QWidget* control)
    : AccessibleValueWidget(widget, QAccessible::Slider)
    , m_control(control)
{}

bool AccessibleVolume::IsMuted() const
{
    const auto* control = qobject_cast<const VolumeControl*>(m_control);
    return control && control->isMuted();
}

QString AccessibleVolume::text(QAccessible::Text type) const
{
    if (type == QAccessible::Name && widget()->accessibleName().isEmpty())
        return tr("Volume");
    return AccessibleValueWidget::text(type);
}

AccessibleValueWidget::Reading AccessibleVolume::Read() const
{
    if (const auto* control = qobject_cast<const VolumeControl*>(m_control))
        return { control->volume(), 0, MaximumVolume, 1 };
    return { static_cast<int>(static_cast<const VolumeButton*>(m_control)->volume()), 0,
        MaximumVolume, 1 };
}

void AccessibleVolume::SetValue(int value)
{
    QMetaObject::invokeMethod(m_control, "SetVolume", Q_ARG(int, value));
}

QString AccessibleVolume::SpokenValue() const
{
    const int volume = Read().value;
    return IsMuted() ? tr("%1%, muted").arg(volume) : tr("%1%").arg(volume);
}

} // namespace Tarvos::Gui
