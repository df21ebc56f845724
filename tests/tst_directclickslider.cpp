#include "Gui/Reelkit/DirectClickSlider.h"

#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionSlider>
#include <QtTest>
#include <memory>

using Tarvos::Gui::DirectClickSlider;

namespace {

// Sees the style option the slider paints with, as a subclass does.
class ProbedSlider : public DirectClickSlider
{
public:
    using DirectClickSlider::initStyleOption;
};

struct ClickRow
{
    Qt::Orientation orientation;
    bool inverted;
    int minimum;
    int maximum;
    Qt::MouseButton button;
    QPoint click; // a null point: on the handle, off its centre
    QStringList log;
};

} // namespace

Q_DECLARE_METATYPE(ClickRow)

class tst_DirectClickSlider : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setStyle(QStyleFactory::create("Fusion")); }

    void clicks_data()
    {
        QTest::addColumn<ClickRow>("row");
        const auto jump = [](int value) {
            // A jump reads as a complete press of the handle; the slider's own
            // press handling follows it.
            return QStringList { "pressed", QString("value %1").arg(value), "released" };
        };
        const Qt::Orientation across = Qt::Horizontal;
        const Qt::Orientation up = Qt::Vertical;
        QTest::newRow("horizontal truncates")
            << ClickRow { across, false, 0, 100, Qt::LeftButton, { 199, 12 }, jump(99) };
        QTest::newRow("inverted offset range")
            << ClickRow { across, true, 10, 110, Qt::LeftButton, { 150, 12 }, jump(25) };
        // The top edge of a vertical slider is its maximum, unless inverted.
        QTest::newRow("vertical inverted")
            << ClickRow { up, true, 0, 100, Qt::LeftButton, { 12, 50 }, jump(25) };
        // 150 × 30000000 does not fit 32 bits: the product wraps to 205032704.
        QTest::newRow("32-bit product")
            << ClickRow { across, false, 0, 30000000, Qt::LeftButton, { 150, 12 }, jump(1025163) };
        QTest::newRow("left on the handle")
            << ClickRow { across, false, 0, 100, Qt::LeftButton, {}, { "pressed" } };
        QTest::newRow("right") << ClickRow { across, false, 0, 100, Qt::RightButton, { 150, 12 },
            {} };
        // The slider's own absolute set, centring the handle on the click, moves
        // first and presses afterwards.
        QTest::newRow("middle") << ClickRow { across, false, 0, 100, Qt::MiddleButton, { 150, 12 },
            { "value 77", "pressed" } };
    }

    void clicks()
    {
        QFETCH(ClickRow, row);
        ProbedSlider slider;
        QStringList log;
        connect(&slider, &QSlider::sliderPressed, [&log] { log << "pressed"; });
        connect(&slider, &QSlider::sliderReleased, [&log] { log << "released"; });
        connect(&slider, &QSlider::valueChanged,
            [&log](int value) { log << QStringLiteral("value %1").arg(value); });
        slider.setInvertedAppearance(row.inverted);
        slider.setRange(row.minimum, row.maximum);
        slider.setOrientation(row.orientation);
        slider.setFixedSize(row.orientation == Qt::Horizontal ? QSize(200, 24) : QSize(24, 200));
        slider.show();
        QVERIFY(QTest::qWaitForWindowExposed(&slider));
        log.clear();

        QStyleOptionSlider option;
        slider.initStyleOption(&option);
        const QRect handle = slider.style()->subControlRect(
            QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, &slider);
        // On the handle, pressed off its centre, where a jump would change the value.
        const QPoint point
            = row.click.isNull() ? QPoint(handle.right() - 1, handle.center().y()) : row.click;
        QCOMPARE(handle.contains(point), row.click.isNull());
        QTest::mousePress(&slider, row.button, Qt::NoModifier, point);
        QCOMPARE(log.mid(0, row.log.size()).join(" "), row.log.join(" "));
        QCOMPARE(slider.value() == row.minimum, row.log.isEmpty() || row.click.isNull());
        QTest::mouseRelease(&slider, row.button, Qt::NoModifier, point);
    }
};

QTEST_MAIN(tst_DirectClickSlider)
#include "tst_directclickslider.moc"
