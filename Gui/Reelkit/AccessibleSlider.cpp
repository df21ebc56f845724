#include "Gui/Reelkit/AccessibleSlider.h"

#include "Gui/Reelkit/AdvancedSlider.h"
#include "Gui/Reelkit/TimeFormat.h"
#include "Gui/Reelkit/TimelineSlider.h"

#include <QStringList>

namespace Tarvos::Gui {

AccessibleSlider::AccessibleSlider(AdvancedSlider* slider)
    : QAccessibleWidget(slider, QAccessible::Slider)
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

void* AccessibleSlider::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString AccessibleSlider::text(QAccessible::Text type) const
{
    if (type == QAccessible::Value)
        return ValueText(Slider(), Slider()->value());
    if (type == QAccessible::Description && widget()->accessibleDescription().isEmpty())
        return RangesText();
    return QAccessibleWidget::text(type);
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

QVariant AccessibleSlider::currentValue() const
{
    return Slider()->value();
}

void AccessibleSlider::setCurrentValue(const QVariant& value)
{
    // The slider's own units: a TimelineSlider's setValue() would take microseconds.
    static_cast<QAbstractSlider*>(Slider())->setValue(value.toInt());
}

QVariant AccessibleSlider::maximumValue() const
{
    return Slider()->maximum();
}

QVariant AccessibleSlider::minimumValue() const
{
    return Slider()->minimum();
}

QVariant AccessibleSlider::minimumStepSize() const
{
    return Slider()->singleStep();
}

} // namespace Tarvos::Gui
