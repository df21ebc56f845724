#pragma once

#include "Gui/Reelkit/AccessibleValueWidget.h"

namespace Tarvos::Gui {

class TimeEdit;

// A TimeEdit as a spin box whose value is read as a spoken time ("1:02:03")
// whatever its display format, and set in milliseconds from midnight.
class AccessibleTimeEdit : public AccessibleValueWidget
{
public:
    explicit AccessibleTimeEdit(TimeEdit* edit);

protected:
    Reading Read() const override;
    void SetValue(int value) override;
    QString SpokenValue() const override;

private:
    static constexpr int StepMilliseconds = 1000;

    TimeEdit* Edit() const;
};

} // namespace Tarvos::Gui
