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

constexpr int SliderWidth = 220;
constexpr int SliderHeight = 30;
constexpr int GrooveOffset = 10;
constexpr int ThumbSize = 10;
// Below the thumbs, on the groove itself.
constexpr int GrooveY = 25;
constexpr int IntMin = std::numeric_limits<int>::min();
constexpr int IntMax = std::numeric_limits<int>::max();

// A horizontal slider 0..1000 whose usable groove runs from x = 10 to x = 210,
// so that one pixel is five values.
std::unique_ptr<AdvancedSlider> MakeSlider(QWidget* parent = nullptr)
{
    auto slider = std::make_unique<AdvancedSlider>(parent);
    slider->setOrientation(Qt::Horizontal);
    slider->setRange(0, 1000);
    slider->setGrooveOffset(GrooveOffset);
    slider->setFixedSize(SliderWidth, SliderHeight);
    return slider;
}

// Thumbs 10 pixels square, centred on their value, from y = 10 to y = 19.
AdvancedSliderThumb* Shape(AdvancedSliderThumb* thumb)
{
    thumb->setFixedSize(ThumbSize, ThumbSize);
    thumb->setPointOffset(ThumbSize / 2);
    thumb->setParentMargin(10);
    return thumb;
}

const QPoint ThumbCentre(ThumbSize / 2, ThumbSize / 2);

// Records the slider's drag and value signals in the order they come.
QStringList* LogSignals(AdvancedSlider* slider)
{
    auto* log = new QStringList;
    QObject::connect(slider, &QObject::destroyed, [log] { delete log; });
    QObject::connect(slider, &QSlider::sliderPressed, [log] { *log << "pressed"; });
    QObject::connect(slider, &QSlider::sliderReleased, [log] { *log << "released"; });
    QObject::connect(slider, &QSlider::valueChanged,
        [log](int value) { *log << QStringLiteral("value %1").arg(value); });
    return log;
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
        if (event->type() == QEvent::MouseMove)
            ++moves;
        return false;
    }
};

} // namespace

class tst_AdvancedSlider : public QObject
{
    Q_OBJECT

private slots:
    void metaObjects();
    void thumbSetValueClamps_data();
    void thumbSetValueClamps();
    void thumbLimitsReclamp();
    void pointToValue_data();
    void pointToValue();
    void moveThumbTo_data();
    void moveThumbTo();
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
};

void tst_AdvancedSlider::metaObjects()
{
    AdvancedSlider slider;
    QCOMPARE(slider.metaObject()->className(), "Tarvos::Gui::AdvancedSlider");
    QCOMPARE(slider.orientation(), Qt::Vertical);
    AdvancedSliderThumb* thumb = slider.defaultThumb();
    QCOMPARE(slider.thumbByStyleTag("default"), thumb);
    QCOMPARE(thumb->metaObject()->className(), "Tarvos::Gui::AdvancedSliderThumb");
    QCOMPARE(thumb->focusPolicy(), Qt::ClickFocus);
    QVERIFY(thumb->isCheckable() && thumb->hasMouseTracking());
    QCOMPARE(slider.selectedThumb(), nullptr);

    // Style sheets and designers reach these by name.
    for (const char* name : { "grooveOffset", "grooveEmptyStyle", "grooveNormalStyle",
             "grooveSelectedStyle", "grooveBorderStyle" })
        QVERIFY2(slider.metaObject()->indexOfProperty(name) >= 0, name);
    for (const char* name :
        { "styleTag", "isSelectable", "isDraggable", "pointOffset", "parentMargin", "zOrder" })
        QVERIFY2(thumb->metaObject()->indexOfProperty(name) >= 0, name);
    QVERIFY(slider.setProperty("grooveOffset", 7));
    QCOMPARE(slider.grooveOffset(), 7);
}

void tst_AdvancedSlider::thumbSetValueClamps_data()
{
    QTest::addColumn<int>("thumbMinimum");
    QTest::addColumn<int>("thumbMaximum");
    QTest::addColumn<int>("input");
    QTest::addColumn<int>("expected");
    QTest::newRow("inside") << IntMin << IntMax << 420 << 420;
    QTest::newRow("below slider") << IntMin << IntMax << -5 << 0;
    QTest::newRow("above slider") << IntMin << IntMax << 1005 << 1000;
    QTest::newRow("own maximum inside slider range") << IntMin << 40 << 50 << 40;
    QTest::newRow("own minimum") << 100 << IntMax << 50 << 100;
    QTest::newRow("own limits beat slider range") << 1200 << IntMax << 500 << 1200;
    QTest::newRow("minimum above maximum: maximum wins") << 600 << 400 << 500 << 400;
}

void tst_AdvancedSlider::thumbSetValueClamps()
{
    QFETCH(int, thumbMinimum);
    QFETCH(int, thumbMaximum);
    QFETCH(int, input);
    QFETCH(int, expected);
    auto slider = MakeSlider();
    AdvancedSliderThumb* thumb = slider->addThumb("marker");
    thumb->setMinimum(thumbMinimum);
    thumb->setMaximum(thumbMaximum);
    QSignalSpy changed(thumb, &AdvancedSliderThumb::valueChanged);

    thumb->setValue(input);
    thumb->setValue(input);
    QCOMPARE(thumb->value(), expected);
    // Setting the same value again is reported again.
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed.at(1).at(0).toInt(), expected);
}

void tst_AdvancedSlider::thumbLimitsReclamp()
{
    auto slider = MakeSlider();
    AdvancedSliderThumb* thumb = slider->addThumb("marker");
    QCOMPARE(thumb->value(), 0);
    thumb->setValue(500);
    QSignalSpy changed(thumb, &AdvancedSliderThumb::valueChanged);
    thumb->setMaximum(40);
    QCOMPARE(thumb->value(), 40);
    thumb->setMinimum(45);
    QCOMPARE(thumb->value(), 40);
    QCOMPARE(changed.count(), 2);
}

void tst_AdvancedSlider::pointToValue_data()
{
    QTest::addColumn<Qt::Orientation>("orientation");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<int>("expected");
    QTest::newRow("groove start") << Qt::Horizontal << 0 << 1000 << QPoint(10, 0) << 0;
    QTest::newRow("middle") << Qt::Horizontal << 0 << 1000 << QPoint(110, 0) << 500;
    QTest::newRow("one pixel") << Qt::Horizontal << 0 << 1000 << QPoint(11, 0) << 5;
    QTest::newRow("past the end") << Qt::Horizontal << 0 << 1000 << QPoint(215, 0) << 1000;
    QTest::newRow("inside the offset") << Qt::Horizontal << 0 << 1000 << QPoint(0, 0) << 0;
    QTest::newRow("y ignored") << Qt::Horizontal << 0 << 1000 << QPoint(60, 500) << 250;
    QTest::newRow("truncated toward zero") << Qt::Horizontal << -7 << 7 << QPoint(11, 0) << -6;
    QTest::newRow("huge range") << Qt::Horizontal << IntMin << IntMax << QPoint(210, 0) << IntMax;
    // Vertical sliders run from the minimum at the top.
    QTest::newRow("vertical") << Qt::Vertical << 0 << 1000 << QPoint(500, 60) << 250;
}

void tst_AdvancedSlider::pointToValue()
{
    QFETCH(Qt::Orientation, orientation);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(QPoint, point);
    QFETCH(int, expected);
    auto slider = MakeSlider();
    slider->setOrientation(orientation);
    slider->setRange(minimum, maximum);
    if (orientation == Qt::Vertical)
        slider->setFixedSize(SliderHeight, SliderWidth);
    QCOMPARE(slider->pointToValue(point), expected);
}

void tst_AdvancedSlider::moveThumbTo_data()
{
    QTest::addColumn<Qt::Orientation>("orientation");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("value");
    QTest::addColumn<QPoint>("expected");
    QTest::newRow("middle") << Qt::Horizontal << 1000 << 500 << QPoint(105, 10);
    QTest::newRow("truncated") << Qt::Horizontal << 1000 << 7 << QPoint(6, 10);
    QTest::newRow("end") << Qt::Horizontal << 1000 << 1000 << QPoint(205, 10);
    QTest::newRow("empty range") << Qt::Horizontal << 0 << 0 << QPoint(5, 10);
    QTest::newRow("vertical") << Qt::Vertical << 1000 << 500 << QPoint(10, 105);
}

void tst_AdvancedSlider::moveThumbTo()
{
    QFETCH(Qt::Orientation, orientation);
    QFETCH(int, maximum);
    QFETCH(int, value);
    QFETCH(QPoint, expected);
    auto slider = MakeSlider();
    slider->setOrientation(orientation);
    slider->setMaximum(maximum);
    if (orientation == Qt::Vertical)
        slider->setFixedSize(SliderHeight, SliderWidth);
    AdvancedSliderThumb* thumb = Shape(slider->addThumb("marker"));
    thumb->setValue(value);
    QCOMPARE(thumb->pos(), expected);
}

void tst_AdvancedSlider::sticking_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("distance");
    QTest::addColumn<int>("candidate");
    QTest::addColumn<int>("expected");
    QTest::newRow("within 2%") << true << 20 << 315 << 300;
    QTest::newRow("below, within 2%") << true << 20 << 281 << 300;
    QTest::newRow("exactly at the threshold") << true << 20 << 320 << 320;
    QTest::newRow("off") << false << 20 << 315 << 315;
    QTest::newRow("wider distance") << true << 50 << 349 << 300;
    QTest::newRow("zero distance") << true << 0 << 300 << 300;
    QTest::newRow("zero distance, off by one") << true << 0 << 301 << 301;
}

void tst_AdvancedSlider::sticking()
{
    QFETCH(bool, enabled);
    QFETCH(int, distance);
    QFETCH(int, candidate);
    QFETCH(int, expected);
    auto slider = MakeSlider();
    slider->setValue(300);
    slider->setStickEnable(enabled);
    slider->setStickDistance(distance);
    AdvancedSliderThumb* marker = slider->addThumb("marker");
    QCOMPARE(slider->correctStickValue(marker, candidate), expected);
    // The default thumb never snaps onto itself.
    QCOMPARE(slider->correctStickValue(slider->defaultThumb(), candidate), candidate);
}

void tst_AdvancedSlider::dragDefaultThumb()
{
    auto slider = MakeSlider();
    AdvancedSliderThumb* thumb = Shape(slider->defaultThumb());
    slider->show();
    QVERIFY(QTest::qWaitForWindowExposed(slider.get()));
    QCOMPARE(thumb->pos(), QPoint(5, 10));
    QStringList* log = LogSignals(slider.get());
    QSignalSpy started(thumb, &AdvancedSliderThumb::dragStarted);
    QSignalSpy finished(thumb, &AdvancedSliderThumb::dragFinished);
    QSignalSpy toggled(thumb, &AdvancedSliderThumb::toggled);

    // Grabbed three pixels left of its value pixel: the thumb keeps that grip.
    QTest::mousePress(thumb, Qt::LeftButton, {}, QPoint(2, 5));
    QVERIFY(log->isEmpty());
    QTest::mouseMove(slider.get(), QPoint(57, 15));
    QCOMPARE(slider->value(), 250);
    QCOMPARE(thumb->pos(), QPoint(55, 10));
    QTest::mouseMove(slider.get(), QPoint(107, 15));
    QTest::mouseMove(slider.get(), QPoint(215, 15));
    QCOMPARE(started.count(), 1);
    QCOMPARE(finished.count(), 0);
    QTest::mouseRelease(slider.get(), Qt::LeftButton, {}, QPoint(215, 15));

    // The default thumb makes the slider report each change twice; the release
    // away from the thumb (clamped at the end) is reported once.
    QCOMPARE(*log,
        QStringList({ "pressed", "value 250", "value 250", "value 500", "value 500", "value 1000",
            "value 1000", "released" }));
    QCOMPARE(finished.count(), 1);
    QCOMPARE(slider->value(), 1000);
    QCOMPARE(thumb->value(), 1000);
    QVERIFY(!thumb->isChecked());
    QCOMPARE(toggled.count(), 0);
    QCOMPARE(slider->selectedThumb(), nullptr);

    // A value set on the slider moves the default thumb, reported once.
    log->clear();
    slider->setValue(100);
    QCOMPARE(thumb->value(), 100);
    QCOMPARE(thumb->pos(), QPoint(25, 10));
    QCOMPARE(*log, QStringList({ "value 100" }));
}

void tst_AdvancedSlider::dragSticksToDefaultThumb()
{
    auto slider = MakeSlider();
    Shape(slider->defaultThumb());
    AdvancedSliderThumb* marker = Shape(slider->addThumb("marker"));
    marker->setValue(800);
    slider->setValue(300);
    slider->setStickEnable(true);
    slider->show();
    QVERIFY(QTest::qWaitForWindowExposed(slider.get()));
    QSignalSpy sliderChanged(slider.get(), &QSlider::valueChanged);

    QTest::mousePress(marker, Qt::LeftButton, {}, ThumbCentre);
    QTest::mouseMove(slider.get(), QPoint(73, 15)); // 315
    QCOMPARE(marker->value(), 300);
    QTest::mouseMove(slider.get(), QPoint(74, 15)); // 320
    QCOMPARE(marker->value(), 320);
    QTest::mouseRelease(slider.get(), Qt::LeftButton, {}, QPoint(74, 15));
    QCOMPARE(slider->value(), 300);
    QCOMPARE(sliderChanged.count(), 0);
}

void tst_AdvancedSlider::nonDraggableThumbPassesMovesOn()
{
    auto slider = MakeSlider();
    AdvancedSliderThumb* marker = Shape(slider->addThumb("marker"));
    marker->setValue(500);
    marker->setIsDraggable(false);
    slider->show();
    QVERIFY(QTest::qWaitForWindowExposed(slider.get()));
    QSignalSpy started(marker, &AdvancedSliderThumb::dragStarted);
    QSignalSpy sliderPressed(slider.get(), &QSlider::sliderPressed);

    QTest::mousePress(marker, Qt::LeftButton, {}, ThumbCentre);
    MoveCounter counter;
    slider->installEventFilter(&counter);
    QTest::mouseMove(slider.get(), QPoint(160, 15));
    QTest::mouseMove(slider.get(), QPoint(170, 15));
    QCOMPARE(marker->value(), 500);
    QCOMPARE(started.count(), 0);
    QCOMPARE(counter.moves, 2);
    QTest::mouseRelease(slider.get(), Qt::LeftButton, {}, QPoint(170, 15));
    QCOMPARE(sliderPressed.count(), 0);
    // No drag happened, so the release still selects.
    QVERIFY(marker->isChecked());
}

void tst_AdvancedSlider::clickSelectsExclusively()
{
    auto slider = MakeSlider();
    AdvancedSliderThumb* first = Shape(slider->addThumb("first"));
    AdvancedSliderThumb* second = Shape(slider->addThumb("second"));
    AdvancedSliderThumb* fixed = Shape(slider->addThumb("fixed"));
    first->setValue(200);
    second->setValue(600);
    fixed->setValue(900);
    fixed->setIsSelectable(false);
    slider->show();
    QVERIFY(QTest::qWaitForWindowExposed(slider.get()));
    QSignalSpy firstToggled(first, &AdvancedSliderThumb::toggled);

    QTest::mouseClick(first, Qt::LeftButton, {}, ThumbCentre);
    QVERIFY(first->isChecked());
    QCOMPARE(firstToggled.count(), 1);
    QCOMPARE(slider->selectedThumb(), first);

    QTest::mouseClick(second, Qt::LeftButton, {}, ThumbCentre);
    QVERIFY(second->isChecked());
    QVERIFY(!first->isChecked());
    QCOMPARE(firstToggled.count(), 2);
    QCOMPARE(slider->selectedThumb(), second);

    QTest::mouseClick(fixed, Qt::LeftButton, {}, ThumbCentre);
    QVERIFY(!fixed->isChecked());
    QCOMPARE(slider->selectedThumb(), second);

    // Deselecting falls back to the default thumb.
    QTest::mouseClick(second, Qt::LeftButton, {}, ThumbCentre);
    QVERIFY(!second->isChecked());
    QCOMPARE(slider->selectedThumb(), slider->defaultThumb());
    QCOMPARE(first->value(), 200);
    QCOMPARE(second->value(), 600);
}

void tst_AdvancedSlider::groovePressMovesActiveThumb()
{
    auto slider = MakeSlider();
    Shape(slider->defaultThumb());
    AdvancedSliderThumb* marker = Shape(slider->addThumb("marker"));
    slider->show();
    QVERIFY(QTest::qWaitForWindowExposed(slider.get()));
    QStringList* log = LogSignals(slider.get());

    QTest::mousePress(slider.get(), Qt::RightButton, {}, QPoint(110, GrooveY));
    QTest::mouseRelease(slider.get(), Qt::RightButton, {}, QPoint(110, GrooveY));
    QCOMPARE(*log, QStringList({ "released" }));
    QCOMPARE(slider->value(), 0);

    log->clear();
    QTest::mousePress(slider.get(), Qt::LeftButton, {}, QPoint(110, GrooveY));
    QTest::mouseMove(slider.get(), QPoint(160, GrooveY));
    QTest::mouseRelease(slider.get(), Qt::LeftButton, {}, QPoint(160, GrooveY));
    QCOMPARE(*log,
        QStringList({ "pressed", "value 500", "value 500", "value 750", "value 750", "released" }));
    QCOMPARE(slider->defaultThumb()->value(), 750);
    // Moves without a press on the groove change nothing.
    QTest::mouseMove(slider.get(), QPoint(60, GrooveY));
    QCOMPARE(slider->value(), 750);

    // A selected thumb takes the groove presses instead.
    QTest::mouseClick(marker, Qt::LeftButton, {}, ThumbCentre);
    QCOMPARE(slider->selectedThumb(), marker);
    log->clear();
    QTest::mouseClick(slider.get(), Qt::LeftButton, {}, QPoint(60, GrooveY));
    QCOMPARE(marker->value(), 250);
    QCOMPARE(slider->value(), 750);
    QCOMPARE(*log, QStringList({ "pressed", "released" }));
}

void tst_AdvancedSlider::stepsFromWheelAndKeys()
{
    auto slider = MakeSlider();
    AdvancedSliderThumb* marker = Shape(slider->addThumb("marker"));
    marker->setValue(500);
    slider->show();
    QVERIFY(QTest::qWaitForWindowExposed(slider.get()));
    QSignalSpy stepped(marker, &AdvancedSliderThumb::stepped);
    QSignalSpy defaultStepped(slider->defaultThumb(), &AdvancedSliderThumb::stepped);

    // Nothing selected: the slider leaves wheel and keys alone.
    SendWheel(slider.get(), QPoint(0, 120));
    QTest::keyClick(slider.get(), Qt::Key_Up);
    QCOMPARE(stepped.count() + defaultStepped.count(), 0);

    // On the thumb itself, selected or not; the value never changes.
    SendWheel(marker, QPoint(0, -240));
    QTest::keyClick(marker, Qt::Key_Down);
    QTest::keyClick(marker, Qt::Key_Right);
    QTest::keyClick(marker, Qt::Key_A);
    marker->step(7);
    QCOMPARE(stepped.count(), 4);
    QCOMPARE(stepped.at(0).at(0).toInt(), -240);
    QCOMPARE(stepped.at(1).at(0).toInt(), -120);
    QCOMPARE(stepped.at(2).at(0).toInt(), 120);
    QCOMPARE(stepped.at(3).at(0).toInt(), 7);
    QCOMPARE(marker->value(), 500);

    stepped.clear();
    QTest::mouseClick(marker, Qt::LeftButton, {}, ThumbCentre);
    QCOMPARE(slider->selectedThumb(), marker);
    SendWheel(slider.get(), QPoint(-360, 120));
    for (Qt::Key key : { Qt::Key_Up, Qt::Key_Right, Qt::Key_Down, Qt::Key_Left, Qt::Key_Home })
        QTest::keyClick(slider.get(), key);
    QList<int> factors;
    for (const QList<QVariant>& arguments : qAsConst(stepped))
        factors << arguments.at(0).toInt();
    QCOMPARE(factors, QList<int>({ -360, 120, 120, -120, -120 }));
    QCOMPARE(marker->value(), 500);
    QCOMPARE(slider->value(), 0);
    QCOMPARE(defaultStepped.count(), 0);
}

void tst_AdvancedSlider::restacking_data()
{
    QTest::addColumn<QList<int>>("zOrders"); // of "a", "b", "c", "default"
    QTest::addColumn<QStringList>("bottomToTop");
    QTest::newRow("equal: by tag")
        << QList<int>({ 0, 0, 0, 0 }) << QStringList({ "a", "b", "c", "default" });
    QTest::newRow("higher on top")
        << QList<int>({ 2, 0, 0, -1 }) << QStringList({ "default", "b", "c", "a" });
    QTest::newRow("negative") << QList<int>({ 0, 1, -3, 0 })
                              << QStringList({ "c", "a", "default", "b" });
    QTest::newRow("far apart") << QList<int>({ IntMax, IntMin, 5, 5 })
                               << QStringList({ "b", "c", "default", "a" });
}

void tst_AdvancedSlider::restacking()
{
    QFETCH(QList<int>, zOrders);
    QFETCH(QStringList, bottomToTop);
    auto slider = MakeSlider();
    const QStringList tags { "c", "b", "a" };
    for (const QString& tag : tags)
        slider->addThumb(tag);
    const QStringList sortedTags { "a", "b", "c", "default" };
    for (int i = 0; i < sortedTags.size(); ++i)
        slider->thumbByStyleTag(sortedTags.at(i))->setZOrder(zOrders.at(i));

    QStringList stacking;
    for (AdvancedSliderThumb* thumb :
        slider->findChildren<AdvancedSliderThumb*>(QString(), Qt::FindDirectChildrenOnly))
        stacking << thumb->styleTag();
    QCOMPARE(stacking, bottomToTop);
}

void tst_AdvancedSlider::thumbRegistry()
{
    auto slider = MakeSlider();
    QCOMPARE(slider->thumbByStyleTag("missing"), nullptr);
    slider->removeThumb("missing");
    QCOMPARE(slider->findChildren<AdvancedSliderThumb*>().size(), 1);

    QPointer<AdvancedSliderThumb> old = slider->addThumb("marker");
    old->setChecked(true);
    QCOMPARE(slider->selectedThumb(), old.data());
    AdvancedSliderThumb* replacement = slider->addThumb("marker");
    QVERIFY(old.isNull());
    QCOMPARE(slider->thumbByStyleTag("marker"), replacement);
    QCOMPARE(slider->selectedThumb(), nullptr);
    QCOMPARE(slider->findChildren<AdvancedSliderThumb*>().size(), 2);

    // Without a default thumb the slider value moves no thumb.
    slider->removeThumb("default");
    QCOMPARE(slider->defaultThumb(), nullptr);
    slider->setValue(400);
    QCOMPARE(replacement->value(), 0);

    // A new default thumb mirrors the slider exactly once per change.
    AdvancedSliderThumb* fresh = slider->addThumb("default");
    QCOMPARE(slider->defaultThumb(), fresh);
    QSignalSpy freshChanged(fresh, &AdvancedSliderThumb::valueChanged);
    QSignalSpy sliderChanged(slider.get(), &QSlider::valueChanged);
    slider->setValue(600);
    QCOMPARE(fresh->value(), 600);
    QCOMPARE(freshChanged.count(), 1);
    QCOMPARE(sliderChanged.count(), 1);
}

void tst_AdvancedSlider::resizeReplacesThumbsSilently()
{
    auto slider = MakeSlider();
    AdvancedSliderThumb* marker = Shape(slider->addThumb("marker"));
    marker->setValue(500);
    slider->show();
    QVERIFY(QTest::qWaitForWindowExposed(slider.get()));
    QCOMPARE(marker->pos(), QPoint(105, 10));
    QSignalSpy markerChanged(marker, &AdvancedSliderThumb::valueChanged);
    QSignalSpy defaultChanged(slider->defaultThumb(), &AdvancedSliderThumb::valueChanged);

    // The groove offset alone leaves the thumbs where they are.
    slider->setGrooveOffset(20);
    QCOMPARE(marker->pos(), QPoint(105, 10));
    slider->setFixedSize(440, SliderHeight);
    QTRY_COMPARE(marker->pos(), QPoint(500 * 400 / 1000 - 5 + 20, 10));
    QCOMPARE(slider->defaultThumb()->pos(), QPoint(20, 0));
    QCOMPARE(markerChanged.count(), 0);
    QCOMPARE(defaultChanged.count(), 0);
}

void tst_AdvancedSlider::styleTagRepolishes()
{
    QWidget host;
    host.setStyleSheet(
        "Tarvos--Gui--AdvancedSliderThumb[styleTag=\"wide\"] { qproperty-pointOffset: 9; }");
    auto slider = MakeSlider(&host);
    AdvancedSliderThumb* thumb = slider->addThumb("narrow");
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    QCOMPARE(thumb->pointOffset(), 0);
    thumb->setStyleTag("wide");
    QCOMPARE(thumb->pointOffset(), 9);
    QCOMPARE(thumb->x(), GrooveOffset - 9);
}

void tst_AdvancedSlider::paintsRanges()
{
    auto slider = MakeSlider();
    slider->defaultThumb()->hide();
    slider->setGrooveEmptyStyle("background: #0000ff; height: 10px;");
    slider->setGrooveNormalStyle("background: #00ff00; height: 10px;");
    slider->setGrooveSelectedStyle("background: #ff0000; height: 10px;");
    slider->setGrooveBorderStyle("background: #ffffff; height: 10px;");
    slider->show();
    QVERIFY(QTest::qWaitForWindowExposed(slider.get()));
    const auto colourAt = [&slider](int x) {
        return QColor(slider->grab().toImage().pixel(x, SliderHeight / 2)).name();
    };
    QTRY_COMPARE(colourAt(110), QStringLiteral("#0000ff"));

    // 250..500 covers x = 60..110; 600..800 covers x = 130..170.
    slider->setRanges({ { 250, 500, false }, { 600, 800, true } });
    QTRY_COMPARE(colourAt(80), QStringLiteral("#00ff00"));
    const QList<QPair<int, QString>> expected {
        { 12, "#0000ff" },
        { 59, "#0000ff" },
        { 60, "#ffffff" },
        { 61, "#00ff00" },
        { 109, "#00ff00" },
        { 110, "#ffffff" },
        { 111, "#0000ff" },
        { 129, "#0000ff" },
        { 130, "#ffffff" },
        { 150, "#ff0000" },
        { 170, "#ffffff" },
        { 207, "#0000ff" },
    };
    for (const auto& [x, colour] : expected)
        QVERIFY2(colourAt(x) == colour, qPrintable(QStringLiteral("x = %1").arg(x)));
    const QRgb outside = slider->grab().toImage().pixel(5, SliderHeight / 2);
    QVERIFY(QColor(outside).name() != "#0000ff");
}

QTEST_MAIN(tst_AdvancedSlider)
#include "tst_advancedslider.moc"
