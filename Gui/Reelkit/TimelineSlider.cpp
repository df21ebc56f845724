#include "Gui/Reelkit/TimelineSlider.h"

#include "Gui/Reelkit/QtCompat.h"
#include "Gui/Reelkit/TimeFormat.h"

#include <QMouseEvent>
#include <QTime>
#include <QToolTip>
#include <algorithm>
#include <limits>

namespace Tarvos::Gui {

const char TimelineSlider::DefaultDisplayFormat[] = "hh:mm:ss";

TimelineSlider::TimelineSlider(QWidget* parent)
    : AdvancedSlider(parent)
{
    connect(this, SIGNAL(valueChanged(int)), this, SLOT(OnValueChanged(int)));
    setMouseTracking(true);
}

void TimelineSlider::setRange(Tarvos::avTime minimum, Tarvos::avTime maximum)
{
    m_scale = RangeScale;
    AdvancedSlider::setRange(BoundedPosition(minimum), BoundedPosition(maximum));
}

void TimelineSlider::setValue(Tarvos::avTime time)
{
    AdvancedSlider::setValue(BoundedPosition(time));
}

Tarvos::avTime TimelineSlider::ScaledPosition(Tarvos::avTime time) const
{
    return m_scale * time / 1000;
}

int TimelineSlider::time2position(Tarvos::avTime time) const
{
    return static_cast<int>(ScaledPosition(time));
}

int TimelineSlider::BoundedPosition(Tarvos::avTime time) const
{
    // Media longer than the positions can hold keep a usable slider: the
    // overflowing part sticks to the end instead of wrapping around.
    return static_cast<int>(std::clamp<Tarvos::avTime>(
        ScaledPosition(time), std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

Tarvos::avTime TimelineSlider::position2time(int position) const
{
    return Tarvos::avTime(position) * 1000 / m_scale;
}

void TimelineSlider::setStyleTag(const QString& styleTag)
{
    m_styleTag = styleTag;
}

void TimelineSlider::setDisplayFormatList(const QStringList& formats)
{
    m_displayFormatList = formats;
}

void TimelineSlider::OnValueChanged(int position)
{
    emit TimelineValueChanged(position / m_scale);
}

QString TimelineSlider::ToolTipText(int x) const
{
    const int usableWidth = width() - 2 * grooveOffset();
    const int offset = x - grooveOffset();
    double fraction = 0.0;
    // A slider narrower than its two offsets has no time axis: it shows the start.
    if (usableWidth > 0) {
        if (offset > usableWidth)
            fraction = 1.0;
        else if (offset > 0)
            fraction = double(offset) / usableWidth;
    }
    const int milliseconds = static_cast<int>(double(maximum()) * fraction / double(m_scale));
    const QTime time = QTime(0, 0, 0, 0).addMSecs(milliseconds);

    return time.toString(TimeFormat::BestFitting(
        time, m_displayFormatList, QString::fromLatin1(DefaultDisplayFormat)));
}

void TimelineSlider::mouseMoveEvent(QMouseEvent* event)
{
    QToolTip::showText(
        QtCompat::GlobalPosition(event), ToolTipText(QtCompat::Position(event).x()), this, rect());
    AdvancedSlider::mouseMoveEvent(event);
}

} // namespace Tarvos::Gui
