#include "Gui/Reelkit/AccessibleTimeEdit.h"

#include "Gui/Reelkit/TimeEdit.h"
#include "Gui/Reelkit/TimeFormat.h"

namespace Tarvos::Gui {

AccessibleTimeEdit::AccessibleTimeEdit(TimeEdit* edit)
    : AccessibleValueWidget(edit, QAccessible::SpinBox)
{}

TimeEdit* AccessibleTimeEdit::Edit() const
{
    return static_cast<TimeEdit*>(widget());
}

AccessibleValueWidget::Reading AccessibleTimeEdit::Read() const
{
    return { Edit()->time().msecsSinceStartOfDay(), Edit()->minimumTime().msecsSinceStartOfDay(),
        Edit()->maximumTime().msecsSinceStartOfDay(), StepMilliseconds };
}

void AccessibleTimeEdit::SetValue(int value)
{
    Edit()->setTime(QTime::fromMSecsSinceStartOfDay(value));
}

QString AccessibleTimeEdit::SpokenValue() const
{
    return TimeFormat::Spoken(Edit()->time().msecsSinceStartOfDay());
}

} // namespace Tarvos::Gui
