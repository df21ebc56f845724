#include "GalleryStyle.h"
#include "Gui/Reelkit/TimelineSlider.h"
#include "Sections.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr Tarvos::avTime Minute = 60 * 1000 * 1000;

} // namespace

// A two-hour timeline with two marked stretches (one selected) and a marker
// thumb besides the position; hovering shows the time under the cursor.
QWidget* CreateSlidersSection(QWidget* parent)
{
    auto* section = new QWidget(parent);
    section->setStyleSheet(QString::fromUtf8(Gallery::TimelineStyle));
    auto* layout = new QVBoxLayout(section);

    auto* timeline = new Tarvos::Gui::TimelineSlider(section);
    timeline->setOrientation(Qt::Horizontal);
    timeline->setMinimumWidth(480);
    timeline->setDisplayFormatList({ QStringLiteral("mm:ss"), QStringLiteral("hh:mm:ss") });
    timeline->setStickEnable(true);
    timeline->setRange(0, 120 * Minute);
    timeline->setValue(25 * Minute);
    const int position10 = timeline->time2position(10 * Minute);
    const int position40 = timeline->time2position(40 * Minute);
    timeline->setRanges({ { position10, position40, false },
        { timeline->time2position(70 * Minute), timeline->time2position(95 * Minute), true } });
    timeline->addThumb(QStringLiteral("marker"))->setValue(timeline->time2position(82 * Minute));
    layout->addWidget(timeline);

    auto* position = new QLabel(section);
    const auto showPosition = [position](int milliseconds) {
        position->setText(QStringLiteral("Position: %1 ms").arg(milliseconds));
    };
    showPosition(int(timeline->position2time(timeline->value()) / 1000));
    QObject::connect(
        timeline, &Tarvos::Gui::TimelineSlider::TimelineValueChanged, position, showPosition);
    layout->addWidget(position);
    return section;
}
