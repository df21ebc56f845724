#include "Gui/Reelkit/DirectClickSlider.h"

#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionSlider>
#include <QtTest>

using Tarvos::Gui::DirectClickSlider;

class tst_DirectClickSlider : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void className();
    void defaultOrientationIsVertical();
    void jump_data();
    void jump();
    void pressOnHandleDoesNotJump();
    void otherButtonsDoNotJump_data();
    void otherButtonsDoNotJump();
};

namespace {

// Records the slider's signals in the order they come.
QStringList* Record(DirectClickSlider& slider)
{
    auto* log = new QStringList;
    QObject::connect(&slider, &QObject::destroyed, [log] { delete log; });
    QObject::connect(&slider, &QSlider::sliderPressed, [log] { log->append("pressed"); });
    QObject::connect(&slider, &QSlider::sliderReleased, [log] { log->append("released"); });
    QObject::connect(&slider, &QSlider::valueChanged,
        [log](int value) { log->append(QString("value %1").arg(value)); });
    return log;
}

QRect HandleRect(DirectClickSlider& slider)
{
    // The style option the slider paints with, as a subclass sees it.
    struct Probe : DirectClickSlider
    {
        using DirectClickSlider::initStyleOption;
    };
    QStyleOptionSlider option;
    static_cast<Probe&>(slider).initStyleOption(&option);
    return slider.style()->subControlRect(
        QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, &slider);
}

} // namespace

void tst_DirectClickSlider::initTestCase()
{
    QApplication::setStyle(QStyleFactory::create("Fusion"));
}

void tst_DirectClickSlider::className()
{
    DirectClickSlider slider;
    QCOMPARE(slider.metaObject()->className(), "Tarvos::Gui::DirectClickSlider");
}

void tst_DirectClickSlider::defaultOrientationIsVertical()
{
    QWidget parent;
    auto* slider = new DirectClickSlider(&parent);
    QCOMPARE(slider->parentWidget(), &parent);
    QCOMPARE(slider->orientation(), Qt::Vertical);
}

void tst_DirectClickSlider::jump_data()
{
    QTest::addColumn<Qt::Orientation>("orientation");
    QTest::addColumn<bool>("inverted");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("start");
    QTest::addColumn<QPoint>("click");
    QTest::addColumn<int>("expected");

    // The slider is 200 pixels long and 24 across.
    QTest::newRow("horizontal") << Qt::Horizontal << false << 0 << 100 << 0 << QPoint(150, 12)
                                << 75;
    QTest::newRow("horizontal truncates")
        << Qt::Horizontal << false << 0 << 100 << 0 << QPoint(199, 12) << 99;
    QTest::newRow("horizontal offset range")
        << Qt::Horizontal << false << 10 << 110 << 10 << QPoint(150, 12) << 85;
    QTest::newRow("horizontal inverted")
        << Qt::Horizontal << true << 0 << 100 << 0 << QPoint(150, 12) << 25;
    QTest::newRow("horizontal inverted offset range")
        << Qt::Horizontal << true << 10 << 110 << 10 << QPoint(150, 12) << 25;
    QTest::newRow("left edge") << Qt::Horizontal << false << 0 << 100 << 100 << QPoint(0, 12) << 0;
    // The top edge of a vertical slider is its maximum.
    QTest::newRow("vertical") << Qt::Vertical << false << 0 << 100 << 0 << QPoint(12, 50) << 75;
    QTest::newRow("vertical truncates")
        << Qt::Vertical << false << 0 << 100 << 0 << QPoint(12, 1) << 99;
    QTest::newRow("vertical inverted")
        << Qt::Vertical << true << 0 << 100 << 0 << QPoint(12, 50) << 25;
    QTest::newRow("vertical offset range")
        << Qt::Vertical << false << -50 << 50 << -50 << QPoint(12, 150) << -25;
    // 150 × 30000000 does not fit 32 bits: the product wraps to 205032704.
    QTest::newRow("32-bit product")
        << Qt::Horizontal << false << 0 << 30000000 << 0 << QPoint(150, 12) << 1025163;
}

void tst_DirectClickSlider::jump()
{
    QFETCH(Qt::Orientation, orientation);
    QFETCH(bool, inverted);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(int, start);
    QFETCH(QPoint, click);
    QFETCH(int, expected);

    DirectClickSlider slider;
    slider.setOrientation(orientation);
    slider.setInvertedAppearance(inverted);
    slider.setRange(minimum, maximum);
    slider.setValue(start);
    slider.setFixedSize(orientation == Qt::Horizontal ? QSize(200, 24) : QSize(24, 200));
    slider.show();
    QVERIFY(QTest::qWaitForWindowExposed(&slider));
    QVERIFY(!HandleRect(slider).contains(click));

    QStringList* log = Record(slider);
    QTest::mousePress(&slider, Qt::LeftButton, Qt::NoModifier, click);
    // The jump reads as a complete press of the handle; the slider's own press
    // handling follows it.
    QVERIFY(log->size() >= 3);
    QCOMPARE(
        log->mid(0, 3), QStringList({ "pressed", QString("value %1").arg(expected), "released" }));
    QTest::mouseRelease(&slider, Qt::LeftButton, Qt::NoModifier, click);
}

void tst_DirectClickSlider::pressOnHandleDoesNotJump()
{
    DirectClickSlider slider;
    slider.setOrientation(Qt::Horizontal);
    slider.setRange(0, 100);
    slider.setValue(40);
    slider.setFixedSize(200, 24);
    slider.show();
    QVERIFY(QTest::qWaitForWindowExposed(&slider));

    const QRect handle = HandleRect(slider);
    // A point of the handle off its centre, where a jump would change the value.
    const QPoint point(handle.right() - 1, handle.center().y());
    QStringList* log = Record(slider);
    QTest::mousePress(&slider, Qt::LeftButton, Qt::NoModifier, point);
    QCOMPARE(*log, QStringList({ "pressed" }));
    QCOMPARE(slider.value(), 40);
    QVERIFY(slider.isSliderDown());
    QTest::mouseRelease(&slider, Qt::LeftButton, Qt::NoModifier, point);
    QCOMPARE(*log, QStringList({ "pressed", "released" }));
    QCOMPARE(slider.value(), 40);
}

void tst_DirectClickSlider::otherButtonsDoNotJump_data()
{
    QTest::addColumn<int>("buttonValue");
    QTest::newRow("right") << int(Qt::RightButton);
    QTest::newRow("middle") << int(Qt::MiddleButton);
}

void tst_DirectClickSlider::otherButtonsDoNotJump()
{
    QFETCH(int, buttonValue);
    const auto button = static_cast<Qt::MouseButton>(buttonValue);
    DirectClickSlider slider;
    slider.setOrientation(Qt::Horizontal);
    slider.setRange(0, 100);
    slider.setFixedSize(200, 24);
    slider.show();
    QVERIFY(QTest::qWaitForWindowExposed(&slider));

    QStringList* log = Record(slider);
    QTest::mousePress(&slider, button, Qt::NoModifier, QPoint(150, 12));
    // The right button does nothing; the middle button is the slider's own
    // absolute set, which moves first and presses the handle afterwards.
    if (button == Qt::RightButton)
        QVERIFY(log->isEmpty());
    else
        QCOMPARE(log->value(0).left(6), QString("value "));
    QTest::mouseRelease(&slider, button, Qt::NoModifier, QPoint(150, 12));
}

QTEST_MAIN(tst_DirectClickSlider)
#include "tst_directclickslider.moc"
