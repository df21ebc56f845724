#include "Gui/Reelkit/TimelineSlider.h"
#include "Sections.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {

// Groove fragments and thumbs as a host's style sheet would give them.
const char SlidersStyleSheet[] = R"(
Tarvos--Gui--TimelineSlider {
    min-height: 28px;
    max-height: 28px;
    qproperty-grooveOffset: 8;
    qproperty-grooveEmptyStyle: "background: #3b4252; height: 8px; border-radius: 4px;";
    qproperty-grooveNormalStyle: "background: #5e81ac; height: 8px;";
    qproperty-grooveSelectedStyle: "background: #ebcb8b; height: 8px;";
    qproperty-grooveBorderStyle: "background: #bf616a; height: 14px;";
}
Tarvos--Gui--AdvancedSliderThumb {
    border: 1px solid #2e3440;
    border-radius: 7px;
    min-width: 14px; max-width: 14px;
    min-height: 14px; max-height: 14px;
    qproperty-pointOffset: 7;
    qproperty-parentMargin: 7;
}
Tarvos--Gui--AdvancedSliderThumb[styleTag="default"] { background: #eceff4; }
Tarvos--Gui--AdvancedSliderThumb[styleTag="marker"] { background: #a3be8c; }
Tarvos--Gui--AdvancedSliderThumb:checked { border: 2px solid #d08770; }
)";

constexpr Tarvos::avTime Minute = 60 * 1000 * 1000;

} // namespace

// A two-hour timeline with two marked stretches (one selected) and a marker
// thumb besides the position; hovering shows the time under the cursor.
QWidget* CreateSlidersSection(QWidget* parent)
{
    auto* section = new QWidget(parent);
    section->setStyleSheet(QString::fromLatin1(SlidersStyleSheet));
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
