#pragma once

#include <QAccessibleWidget>
#include <QCoreApplication>

namespace Tarvos::Gui {

class VolumeControl;

// The mute button of a VolumeControl as a toggle button named "Mute", checked
// while the control is muted; pressing it clicks the button.
class AccessibleMuteButton : public QAccessibleWidget
{
    Q_DECLARE_TR_FUNCTIONS(AccessibleMuteButton)

public:
    AccessibleMuteButton(QWidget* button, VolumeControl* control);

    QString text(QAccessible::Text type) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    VolumeControl* m_control;
};

} // namespace Tarvos::Gui
