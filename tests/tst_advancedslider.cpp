// Mouse events travel through the window system, as real ones do: implicit
// grabs, propagation to parents and hover all take part.
#define QTEST_QPA_MOUSE_HANDLING

#include "Gui/Reelkit/AdvancedSlider.h"

#include <QPointer>
#include <QtTest>
#include <limits>
#include <memory>

using Tarvos::Gui::AdvancedSlider;
using Tarvos::Gui::AdvancedSliderThumb;

namespace {

constexpr int IntMin = std::numeric_limits<int>::min();
constexpr int IntMax = std::numeric_limits<int>::max();
// Below the thumbs, on the groove itself.
constexpr int GrooveY = 25;
const QPoint ThumbCentre(5, 5);

// Thumbs 10 pixels square, centred on their value, from y = 10 to y = 19.
AdvancedSliderThumb* Shape(AdvancedSliderThumb* thumb)
{
    thumb->setFixedSize(10, 10);
    thumb->setPointOffset(5);
    thumb->setParentMargin(10);
    return thumb;
}

void SendWheel(QWidget* widget, QPoint angleDelta)
{
    const QPoint position = widget->rect().center();
    QWheelEvent event(position, widget->mapToGlobal(position), QPoint(), angleDelta, Qt::NoButton,
        Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

class MoveCounter : public QObject
{
public:
    int moves = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        moves += event->type() == QEvent::MouseMove;
        return false;
    }
};

} // namespace

class tst_AdvancedSlider : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void thumbClamping_data();
    void thumbClamping();
    void mapping_data();
    void mapping();
    void sticking_data();
    void sticking();
    void dragDefaultThumb();
    void dragSticksToDefaultThumb();
    void nonDraggableThumbPassesMovesOn();
    void clickSelectsExclusively();
    void groovePressMovesActiveThumb();
    void stepsFromWheelAndKeys();
    void restacking_data();
    void restacking();
    void thumbRegistry();
    void resizeReplacesThumbsSilently();
    void styleTagRepolishes();
    void paintsRanges();

private:
    bool Show();

    // Horizontal, 0..1000, 220 × 30, its usable groove from x = 10 to x = 210:
    // one pixel is five values.
    std::unique_ptr<AdvancedSlider> m_slider;
    // The slider's drag and value signals in the order they come.
    QStringList m_log;
};

void tst_AdvancedSlider::init()
{
    m_slider = std::make_unique<AdvancedSlider>();
    m_slider->setOrientation(Qt::Horizontal);
    m_slider->setRange(0, 1000);
    m_slider->setGrooveOffset(10);
    m_slider->setFixedSize(220, 30);
    m_log.clear();
    connect(m_slider.get(), &QSlider::sliderPressed, [this] { m_log << "pressed"; });
    connect(m_slider.get(), &QSlider::sliderReleased, [this] { m_log << "released"; });
    connect(m_slider.get(), &QSlider::valueChanged,
        [this](int value) { m_log << QStringLiteral("value %1").arg(value); });
}

void tst_AdvancedSlider::cleanup()
{
    m_slider.reset();
}

bool tst_AdvancedSlider::Show()
{
    // Placing the thumbs reports too: the log starts on screen.
    m_log.clear();
    m_slider->show();
    return QTest::qWaitForWindowExposed(m_slider.get());
}

void tst_AdvancedSlider::thumbClamping_data()
{
    QTest::addColumn<int>("thumbMinimum");
    QTest::addColumn<int>("thumbMaximum");
    QTest::addColumn<int>("input");
    QTest::addColumn<int>("expected");
    QTest::newRow("above slider") << IntMin << IntMax << 1005 << 1000;
    QTest::newRow("own limits beat slider range") << 1200 << IntMax << 500 << 1200;
    QTest::newRow("minimum above maximum: maximum wins") << 600 << 400 << 500 << 400;
}

void tst_AdvancedSlider::thumbClamping()
{
    QFETCH(int, thumbMinimum);
    QFETCH(int, thumbMaximum);
    QFETCH(int, input);
    QFETCH(int, expected);
    AdvancedSliderThumb* thumb = m_slider->addThumb("marker");
    thumb->setValue(input);
    QSignalSpy changed(thumb, &AdvancedSliderThumb::valueChanged);

    // New limits clamp the value at once; every call reports, changed or not.
    thumb->setMinimum(thumbMinimum);
    thumb->setMaximum(thumbMaximum);
    thumb->setValue(input);
    QCOMPARE(thumb->value(), expected);
    QCOMPARE(changed.count(), 3);
    QCOMPARE(changed.at(1).at(0).toInt(), expected);
    QCOMPARE(changed.at(2).at(0).toInt(), expected);
}

void tst_AdvancedSlider::mapping_data()
{
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("thumbX");
    QTest::newRow("past the end") << 0 << 1000 << QPoint(215, 0) << 1000 << 205;
    QTest::newRow("inside the offset") << 0 << 1000 << QPoint(0, 0) << 0 << 5;
    // 1 × 200 / 14 pixels from the start.
    QTest::newRow("truncated toward zero") << -7 << 7 << QPoint(11, 0) << -6 << 19;
    QTest::newRow("huge range") << IntMin << IntMax << QPoint(210, 0) << IntMax << 205;
    QTest::newRow("empty range") << 0 << 0 << QPoint(110, 0) << 0 << 5;
}

void tst_AdvancedSlider::mapping()
{
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(QPoint, point);
    QFETCH(int, value);
    QFETCH(int, thumbX);
    m_slider->setRange(minimum, maximum);
    AdvancedSliderThumb* thumb = Shape(m_slider->addThumb("marker"));
    QCOMPARE(m_slider->pointToValue(point), value);
    thumb->setValue(value);
    QCOMPARE(thumb->pos(), QPoint(thumbX, 10));

    // Vertical sliders run from the minimum at the top.
    m_slider->setOrientation(Qt::Vertical);
    m_slider->setFixedSize(30, 220);
    QCOMPARE(m_slider->pointToValue(point.transposed()), value);
    thumb->setValue(value);
    QCOMPARE(thumb->pos(), QPoint(10, thumbX));
}

void tst_AdvancedSlider::sticking_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("distance");
    QTest::addColumn<int>("candidate");
    QTest::addColumn<int>("expected");
    QTest::newRow("off") << false << 20 << 315 << 315;
    QTest::newRow("wider distance") << true << 50 << 349 << 300;
}

void tst_AdvancedSlider::sticking()
{
    QFETCH(bool, enabled);
    QFETCH(int, distance);
    QFETCH(int, candidate);
    QFETCH(int, expected);
    m_slider->setValue(300);
    m_slider->setStickEnable(enabled);
    m_slider->setStickDistance(distance);
    AdvancedSliderThumb* marker = m_slider->addThumb("marker");
    QCOMPARE(m_slider->correctStickValue(marker, candidate), expected);
    // The default thumb never snaps onto itself.
    QCOMPARE(m_slider->correctStickValue(m_slider->defaultThumb(), candidate), candidate);
}

void tst_AdvancedSlider::dragDefaultThumb()
{
    AdvancedSliderThumb* thumb = Shape(m_slider->defaultThumb());
    QVERIFY(Show());
    // Grabbed three pixels left of its value pixel: the thumb keeps that grip.
    QTest::mousePress(thumb, Qt::LeftButton, {}, QPoint(2, 5));
    QTest::mouseMove(m_slider.get(), QPoint(57, 15));
    QCOMPARE(thumb->pos(), QPoint(55, 10));
    QTest::mouseMove(m_slider.get(), QPoint(215, 15));
    QTest::mouseRelease(m_slider.get(), Qt::LeftButton, {}, QPoint(215, 15));

    // The default thumb makes the slider report each change twice; the drag
    // itself starts and finishes once.
    QCOMPARE(m_log,
        QStringList(
            { "pressed", "value 250", "value 250", "value 1000", "value 1000", "released" }));
    QVERIFY(!thumb->isChecked());
    QCOMPARE(m_slider->selectedThumb(), nullptr);

    // A value set on the slider moves the default thumb, reported once.
    m_log.clear();
    m_slider->setValue(100);
    QCOMPARE(thumb->pos(), QPoint(25, 10));
    QCOMPARE(m_log, QStringList({ "value 100" }));
}

void tst_AdvancedSlider::dragSticksToDefaultThumb()
{
    Shape(m_slider->defaultThumb());
    AdvancedSliderThumb* marker = Shape(m_slider->addThumb("marker"));
    marker->setValue(800);
    m_slider->setValue(300);
    m_slider->setStickEnable(true);
    QVERIFY(Show());

    QTest::mousePress(marker, Qt::LeftButton, {}, ThumbCentre);
    QTest::mouseMove(m_slider.get(), QPoint(73, 15)); // 315
    QCOMPARE(marker->value(), 300);
    QTest::mouseMove(m_slider.get(), QPoint(74, 15)); // 320
    QCOMPARE(marker->value(), 320);
    QTest::mouseRelease(m_slider.get(), Qt::LeftButton, {}, QPoint(74, 15));
    // The slider's value stays.
    QCOMPARE(m_log, QStringList({ "pressed", "released" }));
}

void tst_AdvancedSlider::nonDraggableThumbPassesMovesOn()
{
    AdvancedSliderThumb* marker = Shape(m_slider->addThumb("marker"));
    marker->setValue(500);
    marker->setIsDraggable(false);
    QVERIFY(Show());
    QSignalSpy started(marker, &AdvancedSliderThumb::dragStarted);

    QTest::mousePress(marker, Qt::LeftButton, {}, ThumbCentre);
    MoveCounter counter;
    m_slider->installEventFilter(&counter);
    QTest::mouseMove(m_slider.get(), QPoint(160, 15));
    QTest::mouseMove(m_slider.get(), QPoint(170, 15));
    QTest::mouseRelease(m_slider.get(), Qt::LeftButton, {}, QPoint(170, 15));
    QCOMPARE(counter.moves, 2);
    QCOMPARE(marker->value(), 500);
    QCOMPARE(started.count(), 0);
    QVERIFY(m_log.isEmpty());
    // No drag happened, so the release still selects.
    QVERIFY(marker->isChecked());
}

void tst_AdvancedSlider::clickSelectsExclusively()
{
    AdvancedSliderThumb* first = Shape(m_slider->addThumb("first"));
    AdvancedSliderThumb* second = Shape(m_slider->addThumb("second"));
    AdvancedSliderThumb* fixed = Shape(m_slider->addThumb("fixed"));
    first->setValue(200);
    second->setValue(600);
    fixed->setValue(900);
    fixed->setIsSelectable(false);
    QVERIFY(Show());

    QTest::mouseClick(first, Qt::LeftButton, {}, ThumbCentre);
    QTest::mouseClick(second, Qt::LeftButton, {}, ThumbCentre);
    QCOMPARE(m_slider->selectedThumb(), second);
    QVERIFY(!first->isChecked());

    QTest::mouseClick(fixed, Qt::LeftButton, {}, ThumbCentre);
    QVERIFY(!fixed->isChecked());
    QCOMPARE(m_slider->selectedThumb(), second);

    // Deselecting falls back to the default thumb; clicks move nothing.
    QTest::mouseClick(second, Qt::LeftButton, {}, ThumbCentre);
    QVERIFY(!second->isChecked());
    QCOMPARE(m_slider->selectedThumb(), m_slider->defaultThumb());
    QCOMPARE(second->value(), 600);
}

void tst_AdvancedSlider::groovePressMovesActiveThumb()
{
    Shape(m_slider->defaultThumb());
    AdvancedSliderThumb* marker = Shape(m_slider->addThumb("marker"));
    QVERIFY(Show());

    QTest::mousePress(m_slider.get(), Qt::RightButton, {}, QPoint(110, GrooveY));
    QTest::mouseRelease(m_slider.get(), Qt::RightButton, {}, QPoint(110, GrooveY));
    QCOMPARE(m_log, QStringList({ "released" }));

    m_log.clear();
    QTest::mousePress(m_slider.get(), Qt::LeftButton, {}, QPoint(110, GrooveY));
    QTest::mouseMove(m_slider.get(), QPoint(160, GrooveY));
    QTest::mouseRelease(m_slider.get(), Qt::LeftButton, {}, QPoint(160, GrooveY));
    // Moves without a press on the groove change nothing.
    QTest::mouseMove(m_slider.get(), QPoint(60, GrooveY));
    QCOMPARE(m_log,
        QStringList({ "pressed", "value 500", "value 500", "value 750", "value 750", "released" }));

    // A selected thumb takes the groove presses instead.
    QTest::mouseClick(marker, Qt::LeftButton, {}, ThumbCentre);
    QCOMPARE(m_slider->selectedThumb(), marker);
    m_log.clear();
    QTest::mouseClick(m_slider.get(), Qt::LeftButton, {}, QPoint(60, GrooveY));
    QCOMPARE(marker->value(), 250);
    QCOMPARE(m_log, QStringList({ "pressed", "released" }));
}

void tst_AdvancedSlider::stepsFromWheelAndKeys()
{
    AdvancedSliderThumb* marker = Shape(m_slider->addThumb("marker"));
    marker->setValue(500);
    QVERIFY(Show());
    QSignalSpy stepped(marker, &AdvancedSliderThumb::stepped);
    QSignalSpy defaultStepped(m_slider->defaultThumb(), &AdvancedSliderThumb::stepped);

    // Nothing selected: the slider leaves wheel and keys alone.
    SendWheel(m_slider.get(), QPoint(0, 120));
    QTest::keyClick(m_slider.get(), Qt::Key_Up);
    // The thumb itself reports, selected or not.
    SendWheel(marker, QPoint(0, -240));
    QTest::keyClick(marker, Qt::Key_Down);
    QTest::keyClick(marker, Qt::Key_Right);
    // A selected thumb hears the slider's wheel and arrows.
    QTest::mouseClick(marker, Qt::LeftButton, {}, ThumbCentre);
    SendWheel(m_slider.get(), QPoint(-360, 120));
    for (Qt::Key key : { Qt::Key_Up, Qt::Key_Right, Qt::Key_Down, Qt::Key_Left, Qt::Key_Home })
        QTest::keyClick(m_slider.get(), key);

    QList<int> factors;
    for (const QList<QVariant>& arguments : qAsConst(stepped))
        factors << arguments.at(0).toInt();
    QCOMPARE(factors, QList<int>({ -240, -120, 120, -360, 120, 120, -120, -120 }));
    QCOMPARE(defaultStepped.count(), 0);
    // Steps are reported, never applied.
    QCOMPARE(marker->value(), 500);
    QCOMPARE(m_slider->value(), 0);
}

void tst_AdvancedSlider::restacking_data()
{
    QTest::addColumn<QList<int>>("zOrders"); // of "a", "b", "c", "default"
    QTest::addColumn<QStringList>("bottomToTop");
    QTest::newRow("equal: by tag")
        << QList<int>({ 0, 0, 0, 0 }) << QStringList({ "a", "b", "c", "default" });
    QTest::newRow("higher on top")
        << QList<int>({ 2, 0, -3, -1 }) << QStringList({ "c", "default", "b", "a" });
}

void tst_AdvancedSlider::restacking()
{
    QFETCH(QList<int>, zOrders);
    QFETCH(QStringList, bottomToTop);
    for (const char* tag : { "c", "b", "a" })
        m_slider->addThumb(tag);
    const QStringList sortedTags { "a", "b", "c", "default" };
    for (int i = 0; i < sortedTags.size(); ++i)
        m_slider->thumbByStyleTag(sortedTags.at(i))->setZOrder(zOrders.at(i));

    QStringList stacking;
    for (AdvancedSliderThumb* thumb :
        m_slider->findChildren<AdvancedSliderThumb*>(QString(), Qt::FindDirectChildrenOnly))
        stacking << thumb->styleTag();
    QCOMPARE(stacking, bottomToTop);
}

void tst_AdvancedSlider::thumbRegistry()
{
    // A thumb under a tag in use replaces the old one, also as the selection.
    QPointer<AdvancedSliderThumb> old = m_slider->addThumb("marker");
    old->setChecked(true);
    QCOMPARE(m_slider->selectedThumb(), old.data());
    AdvancedSliderThumb* replacement = m_slider->addThumb("marker");
    QVERIFY(old.isNull());
    QCOMPARE(m_slider->thumbByStyleTag("marker"), replacement);
    QCOMPARE(m_slider->selectedThumb(), nullptr);

    // Without a default thumb the slider value moves no thumb.
    m_slider->removeThumb("default");
    QCOMPARE(m_slider->defaultThumb(), nullptr);
    m_slider->setValue(400);
    QCOMPARE(replacement->value(), 0);
}

void tst_AdvancedSlider::resizeReplacesThumbsSilently()
{
    AdvancedSliderThumb* marker = Shape(m_slider->addThumb("marker"));
    marker->setValue(500);
    QVERIFY(Show());
    QSignalSpy markerChanged(marker, &AdvancedSliderThumb::valueChanged);
    QSignalSpy defaultChanged(m_slider->defaultThumb(), &AdvancedSliderThumb::valueChanged);

    // The groove offset alone leaves the thumbs where they are.
    m_slider->setGrooveOffset(20);
    QCOMPARE(marker->pos(), QPoint(105, 10));
    m_slider->setFixedSize(440, 30);
    QTRY_COMPARE(marker->pos(), QPoint(500 * 400 / 1000 - 5 + 20, 10));
    QCOMPARE(m_slider->defaultThumb()->pos(), QPoint(20, 0));
    QCOMPARE(markerChanged.count() + defaultChanged.count(), 0);
}

void tst_AdvancedSlider::styleTagRepolishes()
{
    AdvancedSliderThumb* thumb = m_slider->addThumb("narrow");
    thumb->setStyleSheet(
        "Tarvos--Gui--AdvancedSliderThumb[styleTag=\"wide\"] { qproperty-pointOffset: 9; }");
    QVERIFY(Show());
    QCOMPARE(thumb->pointOffset(), 0);
    thumb->setStyleTag("wide");
    QCOMPARE(thumb->pointOffset(), 9);
    QCOMPARE(thumb->x(), 10 - 9);
}

void tst_AdvancedSlider::paintsRanges()
{
    m_slider->defaultThumb()->hide();
    m_slider->setGrooveEmptyStyle("background: #0000ff; height: 10px;");
    m_slider->setGrooveNormalStyle("background: #00ff00; height: 10px;");
    m_slider->setGrooveSelectedStyle("background: #ff0000; height: 10px;");
    m_slider->setGrooveBorderStyle("background: #ffffff; height: 10px;");
    QVERIFY(Show());
    // One letter per pixel of the groove's middle line, from x = 12 to x = 207.
    const auto colours = [this] {
        const QImage image = m_slider->grab().toImage();
        const QHash<QRgb, QChar> letters { { qRgb(0, 0, 255), 'e' }, { qRgb(0, 255, 0), 'n' },
            { qRgb(255, 0, 0), 's' }, { qRgb(255, 255, 255), '|' } };
        QString line;
        for (int x = 12; x <= 207; ++x)
            line += letters.value(image.pixel(x, 15) | 0xff000000, '?');
        return line;
    };
    QTRY_COMPARE(colours(), QString(196, 'e'));

    // 250..500 covers x = 60..110; 600..800 covers x = 130..170.
    m_slider->setRanges({ { 250, 500, false }, { 600, 800, true } });
    QTRY_COMPARE(colours(),
        QString(48, 'e') + '|' + QString(49, 'n') + '|' + QString(19, 'e') + '|' + QString(39, 's')
            + '|' + QString(37, 'e'));
    const QRgb outside = m_slider->grab().toImage().pixel(5, 15);
    QVERIFY(QColor(outside).name() != "#0000ff");
}

QTEST_MAIN(tst_AdvancedSlider)
#include "tst_advancedslider.moc"
