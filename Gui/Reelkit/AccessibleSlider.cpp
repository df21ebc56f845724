#include "Gui/Reelkit/AccessibleSlider.h"

#include "Gui/Reelkit/AdvancedSlider.h"
#include "Gui/Reelkit/TimeFormat.h"
#include "Gui/Reelkit/TimelineSlider.h"

#include <QStringList>

namespace Tarvos::Gui {

AccessibleSlider::AccessibleSlider(AdvancedSlider* slider)
    : AccessibleValueWidget(slider, QAccessible::Slider)
{}

AdvancedSlider* AccessibleSlider::Slider() const
{
    return static_cast<AdvancedSlider*>(widget());
}

QString AccessibleSlider::PositionText(const AdvancedSlider* slider, int value)
{
    const auto* timeline = qobject_cast<const TimelineSlider*>(slider);
    if (!timeline)
        return QString::number(value);
    return TimeFormat::Spoken(timeline->position2time(value) / 1000);
}

QString AccessibleSlider::ValueText(const AdvancedSlider* slider, int value)
{
    if (!qobject_cast<const TimelineSlider*>(slider))
        return QString::number(value);
    return tr("%1 of %2").arg(PositionText(slider, value), PositionText(slider, slider->maximum()));
}

QString AccessibleSlider::text(QAccessible::Text type) const
{
    if (type == QAccessible::Description && widget()->accessibleDescription().isEmpty())
        return RangesText();
    return AccessibleValueWidget::text(type);
}

QString AccessibleSlider::RangesText() const
{
    QStringList ranges;
    for (const AdvancedSlider::Range& range : Slider()->ranges()) {
        const QString start = PositionText(Slider(), range.start);
        const QString end = PositionText(Slider(), range.end);
        ranges << (range.selected ? tr("%1 to %2, selected") : tr("%1 to %2")).arg(start, end);
    }
    if (ranges.isEmpty())
        return QString();
    return tr("Marked: %1").arg(ranges.join(QStringLiteral("; ")));
}

AccessibleValueWidget::Reading AccessibleSlider::Read() const
{
    return { Slider()->value(), Slider()->minimum(), Slider()->maximum(), Slider()->singleStep() };
}

void AccessibleSlider::SetValue(int value)
{
    // The slider's own units: a TimelineSlider's setValue() would take microseconds.
    static_cast<QAbstractSlider*>(Slider())->setValue(value);
}

QString AccessibleSlider::SpokenValue() const
{
    return ValueText(Slider(), Slider()->value());
}

} // namespace Tarvos::Gui
