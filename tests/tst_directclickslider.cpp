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

} // namespace

class tst_DirectClickSlider : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void jump_data();
    void jump();
    void noJump_data();
    void noJump();

private:
    // 200 pixels long and 24 across.
    bool Show(Qt::Orientation orientation);
    QRect HandleRect();

    std::unique_ptr<ProbedSlider> m_slider;
    // The slider's signals in the order they come.
    QStringList m_log;
};

void tst_DirectClickSlider::initTestCase()
{
    QApplication::setStyle(QStyleFactory::create("Fusion"));
}

void tst_DirectClickSlider::init()
{
    m_slider = std::make_unique<ProbedSlider>();
    m_log.clear();
    connect(m_slider.get(), &QSlider::sliderPressed, [this] { m_log << "pressed"; });
    connect(m_slider.get(), &QSlider::sliderReleased, [this] { m_log << "released"; });
    connect(m_slider.get(), &QSlider::valueChanged,
        [this](int value) { m_log << QStringLiteral("value %1").arg(value); });
}

bool tst_DirectClickSlider::Show(Qt::Orientation orientation)
{
    m_slider->setOrientation(orientation);
    m_slider->setFixedSize(orientation == Qt::Horizontal ? QSize(200, 24) : QSize(24, 200));
    m_slider->show();
    const bool exposed = QTest::qWaitForWindowExposed(m_slider.get());
    m_log.clear();
    return exposed;
}

QRect tst_DirectClickSlider::HandleRect()
{
    QStyleOptionSlider option;
    m_slider->initStyleOption(&option);
    return m_slider->style()->subControlRect(
        QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, m_slider.get());
}

void tst_DirectClickSlider::jump_data()
{
    QTest::addColumn<Qt::Orientation>("orientation");
    QTest::addColumn<bool>("inverted");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QPoint>("click");
    QTest::addColumn<int>("expected");
    const Qt::Orientation across = Qt::Horizontal;
    const Qt::Orientation up = Qt::Vertical;
    QTest::newRow("horizontal truncates") << across << false << 0 << 100 << QPoint(199, 12) << 99;
    QTest::newRow("inverted offset range") << across << true << 10 << 110 << QPoint(150, 12) << 25;
    // The top edge of a vertical slider is its maximum.
    QTest::newRow("vertical truncates") << up << false << 0 << 100 << QPoint(12, 1) << 99;
    QTest::newRow("vertical inverted") << up << true << 0 << 100 << QPoint(12, 50) << 25;
    // 150 × 30000000 does not fit 32 bits: the product wraps to 205032704.
    QTest::newRow("32-bit product")
        << across << false << 0 << 30000000 << QPoint(150, 12) << 1025163;
}

void tst_DirectClickSlider::jump()
{
    QFETCH(Qt::Orientation, orientation);
    QFETCH(bool, inverted);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(QPoint, click);
    QFETCH(int, expected);
    m_slider->setInvertedAppearance(inverted);
    m_slider->setRange(minimum, maximum);
    QVERIFY(Show(orientation));
    QVERIFY(!HandleRect().contains(click));

    QTest::mousePress(m_slider.get(), Qt::LeftButton, Qt::NoModifier, click);
    // The jump reads as a complete press of the handle; the slider's own press
    // handling follows it.
    QCOMPARE(
        m_log.mid(0, 3), QStringList({ "pressed", QString("value %1").arg(expected), "released" }));
    QTest::mouseRelease(m_slider.get(), Qt::LeftButton, Qt::NoModifier, click);
}

void tst_DirectClickSlider::noJump_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("onHandle");
    QTest::addColumn<QString>("firstSignal");
    // The handle is pressed off its centre, where a jump would change the value.
    QTest::newRow("left on the handle") << int(Qt::LeftButton) << true << "pressed";
    QTest::newRow("right") << int(Qt::RightButton) << false << "";
    // The slider's own absolute set, which moves first and presses afterwards.
    QTest::newRow("middle") << int(Qt::MiddleButton) << false << "value";
}

void tst_DirectClickSlider::noJump()
{
    QFETCH(int, button);
    QFETCH(bool, onHandle);
    QFETCH(QString, firstSignal);
    m_slider->setRange(0, 100);
    m_slider->setValue(40);
    QVERIFY(Show(Qt::Horizontal));
    const QRect handle = HandleRect();
    const QPoint point
        = onHandle ? QPoint(handle.right() - 1, handle.center().y()) : QPoint(150, 12);

    QTest::mousePress(m_slider.get(), Qt::MouseButton(button), Qt::NoModifier, point);
    QCOMPARE(m_log.value(0).section(' ', 0, 0), firstSignal);
    if (onHandle)
        QCOMPARE(m_slider->value(), 40);
    QTest::mouseRelease(m_slider.get(), Qt::MouseButton(button), Qt::NoModifier, point);
}

QTEST_MAIN(tst_DirectClickSlider)
#include "tst_directclickslider.moc"
