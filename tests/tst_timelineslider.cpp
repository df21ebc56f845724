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
constexpr avTime Hour = 3600 * Second;
constexpr int IntMin = std::numeric_limits<int>::min();
constexpr int IntMax = std::numeric_limits<int>::max();

struct ValueRow
{
    avTime maximum; // 0: no range set, the scale is 1 and positions are milliseconds
    avTime time;
    int position;
    int milliseconds;
    avTime timeBack;
};

struct ToolTipRow
{
    QStringList formats;
    avTime duration;
    QPoint point;
    QString text;
};

// A horizontal timeline whose usable groove runs from x = 10 to x = 210, with
// a 10-pixel default thumb at the top, centred on its value.
std::unique_ptr<TimelineSlider> MakeTimeline()
{
    auto slider = std::make_unique<TimelineSlider>();
    slider->setOrientation(Qt::Horizontal);
    slider->setGrooveOffset(10);
    slider->setFixedSize(220, 30);
    AdvancedSliderThumb* thumb = slider->defaultThumb();
    thumb->setFixedSize(10, 10);
    thumb->setPointOffset(5);
    return slider;
}

} // namespace

Q_DECLARE_METATYPE(ValueRow)
Q_DECLARE_METATYPE(ToolTipRow)

class tst_TimelineSlider : public QObject
{
    Q_OBJECT

private slots:
    void values_data()
    {
        QTest::addColumn<ValueRow>("row");
        QTest::newRow("unscaled") << ValueRow { 0, 50999, 50, 50, 50000 };
        QTest::newRow("clamped into the range")
            << ValueRow { 2 * Hour, 3 * Hour, 720000000, 7200000, 2 * Hour };
        QTest::newRow("just below two") << ValueRow { Second, 1999, 199, 1, 1990 };
        QTest::newRow("negative toward zero") << ValueRow { Second, -1990, -199, -1, -1990 };
        // Longer media stick to the end of the positions instead of wrapping.
        QTest::newRow("long media saturate")
            << ValueRow { 10 * Hour, 9 * Hour, IntMax, 21474836, 21474836470 };
    }

    void values()
    {
        QFETCH(ValueRow, row);
        TimelineSlider slider;
        if (row.maximum)
            slider.setRange(-row.maximum, row.maximum);
        QSignalSpy valueChanged(&slider, &QSlider::valueChanged);
        QSignalSpy timelineChanged(&slider, &TimelineSlider::TimelineValueChanged);

        // A value from the player is reported once.
        slider.setValue(row.time);
        QCOMPARE(slider.value(), row.position);
        QCOMPARE(valueChanged.count(), 1);
        QCOMPARE(timelineChanged.count(), 1);
        QCOMPARE(timelineChanged.at(0).at(0).toInt(), row.milliseconds);
        QCOMPARE(slider.position2time(row.position), row.timeBack);
        // The plain conversion is cut to 32 bits, not bounded.
        if (row.maximum)
            QCOMPARE(slider.time2position(21474836480), IntMin);
    }

    void toolTip_data()
    {
        QTest::addColumn<ToolTipRow>("row");
        const QStringList minutesFirst { "mm:ss", "hh:mm:ss" };
        QTest::newRow("left of the groove") << ToolTipRow { {}, 2 * Hour, { 4, 20 }, "00:00:00" };
        // The thumb passes the hover on to its slider.
        QTest::newRow("over the thumb")
            << ToolTipRow { minutesFirst, 2 * Hour, { 61, 5 }, "30:36" };
        QTest::newRow("tie: earlier wins")
            << ToolTipRow { { "h:mm:ss", "hh:mm:ss" }, 2 * Hour, { 110, 20 }, "1:00:00" };
        QTest::newRow("milliseconds")
            << ToolTipRow { { "hh:mm:ss", "hh:mm:ss.zzz" }, Second, { 11, 20 }, "00:00:00.005" };
    }

    void toolTip()
    {
        QFETCH(ToolTipRow, row);
        auto slider = MakeTimeline();
        // Style sheets set both properties by name.
        QVERIFY(slider->setProperty("styleTag", "timeline"));
        QVERIFY(slider->setProperty("displayFormatList", row.formats));
        slider->setRange(0, row.duration);
        slider->setValue(row.duration / 4);
        slider->show();
        QVERIFY(QTest::qWaitForWindowExposed(slider.get()));

        // Two moves: a move to where the cursor already is would not arrive.
        QTest::mouseMove(slider.get(), row.point + QPoint(0, 2));
        QTest::mouseMove(slider.get(), row.point);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), row.text);
        // Hovering moves nothing.
        QCOMPARE(slider->value(), slider->time2position(row.duration / 4));
    }
};

QTEST_MAIN(tst_TimelineSlider)
#include "tst_timelineslider.moc"
