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
    void metaObject();
    void mapping_data();
    void mapping();
    void setRangeAndValue();
    void reportsTruncatedMilliseconds_data();
    void reportsTruncatedMilliseconds();
    void longDurationsSaturate();
    void dragReportsEachChangeTwice();
    void toolTip_data();
    void toolTip();
    void toolTipOverThumb();
};

void tst_TimelineSlider::metaObject()
{
    TimelineSlider slider;
    QCOMPARE(slider.metaObject()->className(), "Tarvos::Gui::TimelineSlider");
    QVERIFY(slider.inherits("Tarvos::Gui::AdvancedSlider"));
    QVERIFY(slider.hasMouseTracking());
    QVERIFY(slider.getStyleTag().isEmpty());
    QVERIFY(slider.getDisplayFormatList().isEmpty());
    QVERIFY(slider.setProperty("styleTag", "timeline"));
    QVERIFY(slider.setProperty("displayFormatList", QStringList({ "mm:ss", "hh:mm:ss" })));
    QCOMPARE(slider.getStyleTag(), QStringLiteral("timeline"));
    QCOMPARE(slider.getDisplayFormatList(), QStringList({ "mm:ss", "hh:mm:ss" }));
}

void tst_TimelineSlider::mapping_data()
{
    QTest::addColumn<bool>("ranged");
    QTest::addColumn<avTime>("time");
    QTest::addColumn<int>("position");
    QTest::addColumn<avTime>("timeBack");
    QTest::newRow("unscaled") << false << avTime(5000) << 5 << avTime(5000);
    QTest::newRow("unscaled truncation") << false << avTime(999) << 0 << avTime(0);
    QTest::newRow("two hours") << true << 2 * Hour << 720000000 << 2 * Hour;
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

void tst_TimelineSlider::setRangeAndValue()
{
    auto slider = MakeTimeline();
    QSignalSpy valueChanged(slider.get(), &QSlider::valueChanged);
    QSignalSpy timelineChanged(slider.get(), &TimelineSlider::TimelineValueChanged);

    // Before any range the scale is 1: positions are milliseconds.
    slider->setValue(avTime(50 * 1000));
    QCOMPARE(slider->value(), 50);
    QCOMPARE(timelineChanged.count(), 1);
    QCOMPARE(timelineChanged.at(0).at(0).toInt(), 50);

    timelineChanged.clear();
    valueChanged.clear();
    slider->setRange(0, 2 * Hour);
    QCOMPARE(slider->minimum(), 0);
    QCOMPARE(slider->maximum(), 720000000);
    QCOMPARE(timelineChanged.count(), 0);

    // A value from the player is reported once, in milliseconds.
    slider->setValue(Hour);
    QCOMPARE(slider->value(), 360000000);
    QCOMPARE(slider->defaultThumb()->value(), 360000000);
    QCOMPARE(valueChanged.count(), 1);
    QCOMPARE(timelineChanged.count(), 1);
    QCOMPARE(timelineChanged.at(0).at(0).toInt(), 3600000);

    // Clamped into the range like any slider value.
    slider->setValue(3 * Hour);
    QCOMPARE(slider->value(), 720000000);
    QCOMPARE(timelineChanged.last().at(0).toInt(), 7200000);
}

void tst_TimelineSlider::reportsTruncatedMilliseconds_data()
{
    QTest::addColumn<avTime>("time");
    QTest::addColumn<int>("milliseconds");
    QTest::newRow("sub-millisecond") << avTime(990) << 0;
    QTest::newRow("just below two") << avTime(1999) << 1;
    QTest::newRow("negative toward zero") << avTime(-1990) << -1;
}

void tst_TimelineSlider::reportsTruncatedMilliseconds()
{
    QFETCH(avTime, time);
    QFETCH(int, milliseconds);
    TimelineSlider slider;
    slider.setRange(-Second, Second);
    slider.setValue(avTime(500 * 1000));
    QSignalSpy timelineChanged(&slider, &TimelineSlider::TimelineValueChanged);
    slider.setValue(time);
    QCOMPARE(timelineChanged.count(), 1);
    QCOMPARE(timelineChanged.at(0).at(0).toInt(), milliseconds);
}

void tst_TimelineSlider::longDurationsSaturate()
{
    TimelineSlider slider;
    slider.setRange(0, 10 * Hour);
    QCOMPARE(slider.maximum(), std::numeric_limits<int>::max());
    slider.setValue(Hour);
    QCOMPARE(slider.value(), 360000000);
    slider.setValue(9 * Hour);
    QCOMPARE(slider.value(), std::numeric_limits<int>::max());
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
    QTest::newRow("default format") << QStringList() << 2 * Hour << 110 << "01:00:00";
    QTest::newRow("left of the groove") << QStringList() << 2 * Hour << 4 << "00:00:00";
    QTest::newRow("right of the groove") << QStringList() << 2 * Hour << 216 << "02:00:00";
    QTest::newRow("one pixel in") << QStringList() << 2 * Hour << 11 << "00:00:36";
    QTest::newRow("short media") << minutesFirst << 10 * Minute << 110 << "05:00";
    QTest::newRow("short time of long media") << minutesFirst << 2 * Hour << 11 << "00:36";
    QTest::newRow("hours needed") << minutesFirst << 2 * Hour << 110 << "01:00:00";
    QTest::newRow("tie: earlier wins")
        << QStringList({ "h:mm:ss", "hh:mm:ss" }) << 2 * Hour << 110 << "1:00:00";
    QTest::newRow("seconds lose the minute")
        << QStringList({ "ss", "mm:ss" }) << 10 * Minute << 30 << "01:00";
    QTest::newRow("seconds suffice") << QStringList({ "ss", "mm:ss" }) << 10 * Minute << 12 << "06";
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
    slider->setDisplayFormatList(formats);
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

void tst_TimelineSlider::toolTipOverThumb()
{
    auto slider = MakeTimeline();
    slider->setRange(0, 2 * Hour);
    slider->setValue(Hour);
    slider->show();
    QVERIFY(QTest::qWaitForWindowExposed(slider.get()));
    AdvancedSliderThumb* thumb = slider->defaultThumb();
    QCOMPARE(thumb->pos(), QPoint(105, 0));

    // The thumb passes hover moves on to the timeline.
    QTest::mouseMove(thumb, QPoint(5, 5));
    QTRY_COMPARE(QToolTip::text(), QStringLiteral("01:00:00"));
    QTest::mouseMove(thumb, QPoint(9, 5));
    QTRY_COMPARE(QToolTip::text(), QStringLiteral("01:02:24"));
    QCOMPARE(slider->value(), 360000000);
}

QTEST_MAIN(tst_TimelineSlider)
#include "tst_timelineslider.moc"
