#pragma once

#include "Gui/Reelkit/AccessibleValueWidget.h"

#include <QCoreApplication>

namespace Tarvos::Gui {

class AdvancedSlider;

// What a screen reader reads of an AdvancedSlider: its value in the slider's
// own units (a TimelineSlider's as "12:04 of 1:30:00"), its marked ranges as
// the description, and its thumbs as child sliders.
class AccessibleSlider : public AccessibleValueWidget
{
    Q_DECLARE_TR_FUNCTIONS(AccessibleSlider)

public:
    explicit AccessibleSlider(AdvancedSlider* slider);

    // A position of slider as read out: a time for a TimelineSlider, else the number.
    static QString PositionText(const AdvancedSlider* slider, int value);
    // A value of slider as read out: a TimelineSlider's against its end
    // ("12:04 of 1:30:00"), else the number.
    static QString ValueText(const AdvancedSlider* slider, int value);

    QString text(QAccessible::Text type) const override;

protected:
    Reading Read() const override;
    void SetValue(int value) override;
    QString SpokenValue() const override;

private:
    AdvancedSlider* Slider() const;
    QString RangesText() const;
};

} // namespace Tarvos::Gui
