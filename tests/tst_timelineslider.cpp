// Mouse events travel through the window system, as real ones do: implicit
// grabs, propagation to parents and hover all take part.
#define QTEST_QPA_MOUSE_HANDLING

#include "Gui/Reelkit/TimelineSlider.h"

#include <QToolTip>
#include <QtTest>
#include <limits>
#include <memory>

using Tarvos::avTime;
using Tarvos::Gui::AdvancedSliderThumb;
using Tarvos::Gui::TimelineSlider;

namespace {

constexpr avTime Second = 1000 * 1000;
constexpr avTime Minute = 60 * Second;
constexpr avTime Hour = 60 * Minute;
constexpr int SliderWidth = 220;
constexpr int GrooveOffset = 10;
// Below the default thumb, which sits at the top.
constexpr int HoverY = 20;

// A horizontal timeline whose usable groove runs from x = 10 to x = 210, with
// a 10-pixel default thumb centred on its value.
std::unique_ptr<TimelineSlider> MakeTimeline()
{
    auto slider = std::make_unique<TimelineSlider>();
    slider->setOrientation(Qt::Horizontal);
    slider->setGrooveOffset(GrooveOffset);
    slider->setFixedSize(SliderWidth, 30);
    AdvancedSliderThumb* thumb = slider->defaultThumb();
    thumb->setFixedSize(10, 10);
    thumb->setPointOffset(5);
    return slider;
}

} // namespace

class tst_TimelineSlider : public QObject
{
    Q_OBJECT

private slots:
    void mapping_data();
    void mapping();
    void setValueReportsMilliseconds_data();
    void setValueReportsMilliseconds();
    void dragReportsEachChangeTwice();
    void toolTip_data();
    void toolTip();
};

void tst_TimelineSlider::mapping_data()
{
    QTest::addColumn<bool>("ranged");
    QTest::addColumn<avTime>("time");
    QTest::addColumn<int>("position");
    QTest::addColumn<avTime>("timeBack");
    QTest::newRow("unscaled") << false << avTime(5999) << 5 << avTime(5000);
    QTest::newRow("truncation") << true << avTime(999) << 99 << avTime(990);
    QTest::newRow("negative toward zero") << true << avTime(-15) << -1 << avTime(-10);
    // Positions are 32-bit: the scaled time is cut, not bounded.
    QTest::newRow("cut to 32 bits")
        << true << avTime(21474836480) << std::numeric_limits<int>::min() << avTime(-21474836480);
}

void tst_TimelineSlider::mapping()
{
    QFETCH(bool, ranged);
    QFETCH(avTime, time);
    QFETCH(int, position);
    QFETCH(avTime, timeBack);
    TimelineSlider slider;
    if (ranged)
        slider.setRange(0, Hour);
    QCOMPARE(slider.time2position(time), position);
    QCOMPARE(slider.position2time(position), timeBack);
}

void tst_TimelineSlider::setValueReportsMilliseconds_data()
{
    QTest::addColumn<bool>("ranged");
    QTest::addColumn<avTime>("maximum");
    QTest::addColumn<avTime>("time");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("milliseconds");
    // Before any range the scale is 1: positions are milliseconds.
    QTest::newRow("unscaled") << false << avTime(0) << avTime(50 * 1000) << 50 << 50;
    QTest::newRow("clamped into the range") << true << 2 * Hour << 3 * Hour << 720000000 << 7200000;
    QTest::newRow("just below two") << true << Second << avTime(1999) << 199 << 1;
    QTest::newRow("negative toward zero") << true << Second << avTime(-1990) << -199 << -1;
    // Longer media stick to the end of the positions instead of wrapping.
    QTest::newRow("long media saturate")
        << true << 10 * Hour << 9 * Hour << std::numeric_limits<int>::max() << 21474836;
}

void tst_TimelineSlider::setValueReportsMilliseconds()
{
    QFETCH(bool, ranged);
    QFETCH(avTime, maximum);
    QFETCH(avTime, time);
    QFETCH(int, position);
    QFETCH(int, milliseconds);
    TimelineSlider slider;
    if (ranged)
        slider.setRange(-maximum, maximum);
    QSignalSpy valueChanged(&slider, &QSlider::valueChanged);
    QSignalSpy timelineChanged(&slider, &TimelineSlider::TimelineValueChanged);

    // A value from the player is reported once.
    slider.setValue(time);
    QCOMPARE(slider.value(), position);
    QCOMPARE(valueChanged.count(), 1);
    QCOMPARE(timelineChanged.count(), 1);
    QCOMPARE(timelineChanged.at(0).at(0).toInt(), milliseconds);
}

void tst_TimelineSlider::dragReportsEachChangeTwice()
{
    auto slider = MakeTimeline();
    slider->setRange(0, 200 * Second);
    slider->show();
    QVERIFY(QTest::qWaitForWindowExposed(slider.get()));
    QStringList log;
    connect(slider.get(), &QSlider::sliderPressed, [&log] { log << "pressed"; });
    connect(slider.get(), &QSlider::sliderReleased, [&log] { log << "released"; });
    connect(slider.get(), &QSlider::valueChanged,
        [&log](int position) { log << QStringLiteral("position %1").arg(position); });
    connect(slider.get(), &TimelineSlider::TimelineValueChanged,
        [&log](int milliseconds) { log << QStringLiteral("ms %1").arg(milliseconds); });

    // The default thumb makes the base report each change twice; the timeline,
    // connected before this log, turns each report into milliseconds.
    QTest::mousePress(slider->defaultThumb(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(slider.get(), QPoint(61, 5)); // 51 of 200 pixels
    QTest::mouseRelease(slider.get(), Qt::LeftButton, {}, QPoint(61, 5));
    QCOMPARE(log,
        QStringList({ "pressed", "ms 51000", "position 5100000", "ms 51000", "position 5100000",
            "released" }));
}

void tst_TimelineSlider::toolTip_data()
{
    QTest::addColumn<QStringList>("formats");
    QTest::addColumn<avTime>("duration");
    QTest::addColumn<int>("x");
    QTest::addColumn<QString>("text");
    const QStringList minutesFirst { "mm:ss", "hh:mm:ss" };
    QTest::newRow("left of the groove") << QStringList() << 2 * Hour << 4 << "00:00:00";
    QTest::newRow("right of the groove") << QStringList() << 2 * Hour << 216 << "02:00:00";
    QTest::newRow("short media") << minutesFirst << 10 * Minute << 110 << "05:00";
    QTest::newRow("hours needed") << minutesFirst << 2 * Hour << 110 << "01:00:00";
    QTest::newRow("tie: earlier wins")
        << QStringList({ "h:mm:ss", "hh:mm:ss" }) << 2 * Hour << 110 << "1:00:00";
    QTest::newRow("milliseconds") << QStringList({ "hh:mm:ss", "hh:mm:ss.zzz" }) << Second << 11
                                  << "00:00:00.005";
}

void tst_TimelineSlider::toolTip()
{
    QFETCH(QStringList, formats);
    QFETCH(avTime, duration);
    QFETCH(int, x);
    QFETCH(QString, text);
    auto slider = MakeTimeline();
    // Style sheets set both properties by name.
    QVERIFY(slider->setProperty("styleTag", "timeline"));
    QVERIFY(slider->setProperty("displayFormatList", formats));
    slider->setRange(0, duration);
    slider->setValue(duration / 4);
    slider->show();
    QVERIFY(QTest::qWaitForWindowExposed(slider.get()));

    // Two moves: a move to where the cursor already is would not arrive.
    QTest::mouseMove(slider.get(), QPoint(x, HoverY + 2));
    QTest::mouseMove(slider.get(), QPoint(x, HoverY));
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), text);
    // Hovering moves nothing.
    QCOMPARE(slider->value(), slider->time2position(duration / 4));
}

QTEST_MAIN(tst_TimelineSlider)
#include "tst_timelineslider.moc"
