#pragma once

#include "Gui/Reelkit/AccessibleValueWidget.h"

#include <QCoreApplication>

namespace Tarvos::Gui {

// A VolumeControl or a VolumeButton, or the slider inside one, as a volume
// slider from 0 to 100: read as a percentage ("40%"), with "muted" while the
// control is muted, and set through the control's SetVolume().
class AccessibleVolume : public AccessibleValueWidget
{
    Q_DECLARE_TR_FUNCTIONS(AccessibleVolume)

public:
    // widget is the control itself or its slider; control owns the volume.
    AccessibleVolume(QWidget* widget, QWidget* control);

    QString text(QAccessible::Text type) const override;

protected:
    Reading Read() const override;
    void SetValue(int value) override;
    QString SpokenValue() const override;

private:
    static constexpr int MaximumVolume = 100;

    bool IsMuted() const;

    QWidget* m_control;
};

} // namespace Tarvos::Gui
