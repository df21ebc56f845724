// Mouse events travel through the window system, as real ones do: implicit
// grabs, propagation to parents and hover all take part.
#define QTEST_QPA_MOUSE_HANDLING

#include "Gui/Reelkit/TimelineSlider.h"

#include <QPointer>
#include <QScreen>
#include <QToolTip>
#include <QtTest>
#include <functional>
#include <limits>
#include <memory>

using Tarvos::avTime;
using Tarvos::Gui::AdvancedSlider;
using Tarvos::Gui::AdvancedSliderThumb;
using Tarvos::Gui::TimelineSlider;

namespace {

constexpr int IntMin = std::numeric_limits<int>::min();
constexpr int IntMax = std::numeric_limits<int>::max();
// Below the thumbs, on the groove itself.
constexpr int GrooveY = 25;
const QPoint ThumbCentre(5, 5);
constexpr avTime Second = 1000 * 1000;
constexpr avTime Hour = 3600 * Second;

struct MappingRow
{
    int minimum, maximum, x, value, thumbX;
};

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
    int grooveOffset = 10;
};

struct MarkRow
{
    QList<int> marks;
    QList<QPair<int, int>> stretches;
};

struct LayerRow
{
    std::function<void(AdvancedSlider* slider)> change;
};

// Thumbs 10 pixels square, centred on their value, from y = 10 to y = 19.
AdvancedSliderThumb* Shape(AdvancedSliderThumb* thumb)
{
    thumb->setFixedSize(10, 10);
    thumb->setPointOffset(5);
    thumb->setParentMargin(10);
    return thumb;
}

// Whether the widget took the wheel; an ignored one goes on to the parent.
bool SendWheel(QWidget* widget, QPoint angleDelta)
{
    const QPoint position = widget->rect().center();
    QWheelEvent event(position, widget->mapToGlobal(position), QPoint(), angleDelta, Qt::NoButton,
        Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
    return event.isAccepted();
}

// What window shows once the repaints and renderings due have run.
QImage Shown(QWidget* window)
{
    QTest::qWait(50);
    return window->screen()->grabWindow(window->winId()).toImage();
}

// Layers over a third of the range, and the slider's own handle in sight.
AdvancedSlider* LayeredSlider(QWidget* parent)
{
    auto* slider = new AdvancedSlider(parent);
    slider->setOrientation(Qt::Horizontal);
    slider->setRange(0, 1000);
    slider->setGrooveOffset(10);
    slider->setGeometry(0, 0, 220, 30);
    slider->defaultThumb()->hide();
    slider->setGrooveEmptyStyle("background: #0000ff; height: 10px;");
    slider->setGrooveNormalStyle("background: #00ff00; height: 10px;");
    slider->setGrooveSelectedStyle("background: #ff0000; height: 10px;");
    slider->setGrooveBorderStyle("background: #ffffff; height: 10px;");
    slider->setGrooveMarkStyle("background: #ffff00; height: 10px;");
    // Marks at both ends, on x = 9..11 and 209..211.
    slider->setMarks({ 1000, 0 });
    // A value beyond the rendering sliders' first range of 0..99.
    slider->setValue(500);
    // 250..500 covers x = 60..110; 600..800 covers x = 130..170.
    slider->setRanges({ { 250, 500, false }, { 600, 800, true } });
    return slider;
}

} // namespace

Q_DECLARE_METATYPE(MappingRow)
Q_DECLARE_METATYPE(ValueRow)
Q_DECLARE_METATYPE(ToolTipRow)
Q_DECLARE_METATYPE(MarkRow)
Q_DECLARE_METATYPE(LayerRow)

class tst_AdvancedSlider : public QObject
{
    Q_OBJECT

    // Horizontal, 0..1000, 220 × 30, its usable groove from x = 10 to x = 210:
    // one pixel is five values.
    std::unique_ptr<AdvancedSlider> m_slider;
    // The slider's drag and value signals in the order they come.
    QStringList m_log;

    bool Show()
    {
        // Placing the thumbs reports too: the log starts on screen.
        m_log.clear();
        m_slider->show();
        return QTest::qWaitForWindowExposed(m_slider.get());
    }

private slots:
    void init()
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

    void cleanup() { m_slider.reset(); }

    void thumbClamping()
    {
        AdvancedSliderThumb* thumb = m_slider->addThumb("marker");
        QSignalSpy changed(thumb, &AdvancedSliderThumb::valueChanged);
        thumb->setValue(1005);
        QCOMPARE(thumb->value(), 1000);
        // Its own limits beat the slider's range and clamp at once; a minimum
        // above the maximum loses. Every call reports, changed or not.
        thumb->setMinimum(1200);
        QCOMPARE(thumb->value(), 1200);
        thumb->setMaximum(400);
        thumb->setValue(400);
        QCOMPARE(thumb->value(), 400);
        QCOMPARE(changed.count(), 4);
    }

    void mapping_data()
    {
        QTest::addColumn<MappingRow>("row");
        QTest::newRow("past the end") << MappingRow { 0, 1000, 215, 1000, 205 };
        QTest::newRow("inside the offset") << MappingRow { 0, 1000, 0, 0, 5 };
        // 1 × 200 / 14 pixels from the start.
        QTest::newRow("truncated toward zero") << MappingRow { -7, 7, 11, -6, 19 };
        QTest::newRow("huge range") << MappingRow { IntMin, IntMax, 210, IntMax, 205 };
        QTest::newRow("empty range") << MappingRow { 0, 0, 110, 0, 5 };
    }

    void mapping()
    {
        QFETCH(MappingRow, row);
        m_slider->setRange(row.minimum, row.maximum);
        AdvancedSliderThumb* thumb = Shape(m_slider->addThumb("marker"));
        QCOMPARE(m_slider->pointToValue(QPoint(row.x, 0)), row.value);
        thumb->setValue(row.value);
        QCOMPARE(thumb->pos(), QPoint(row.thumbX, 10));
    }

    void dragDefaultThumb()
    {
        AdvancedSliderThumb* thumb = Shape(m_slider->defaultThumb());
        QVERIFY(Show());
        // Grabbed three pixels left of its value pixel: the thumb keeps that grip.
        QTest::mousePress(thumb, Qt::LeftButton, {}, QPoint(2, 5));
        QVERIFY(thumb->updatesEnabled()); // drawn pressed
        QTest::mouseMove(m_slider.get(), QPoint(57, 15));
        QCOMPARE(thumb->pos(), QPoint(55, 10));
        QTest::mouseMove(m_slider.get(), QPoint(215, 15));
        QTest::mouseRelease(m_slider.get(), Qt::LeftButton, {}, QPoint(215, 15));

        // The default thumb makes the slider report each change twice; the drag
        // itself starts and finishes once.
        QCOMPARE(m_log,
            QStringList(
                { "pressed", "value 250", "value 250", "value 1000", "value 1000", "released" }));
    }

    void dragSticksToDefaultThumb()
    {
        Shape(m_slider->defaultThumb());
        AdvancedSliderThumb* marker = Shape(m_slider->addThumb("marker"));
        marker->setValue(800);
        m_slider->setValue(300);
        m_slider->setStickEnable(true);
        QVERIFY(Show());

        // Within 20 thousandths of the maximum (20 values) of the default thumb.
        QTest::mousePress(marker, Qt::LeftButton, {}, ThumbCentre);
        QTest::mouseMove(m_slider.get(), QPoint(73, 15)); // 315
        QCOMPARE(marker->value(), 300);
        QTest::mouseMove(m_slider.get(), QPoint(74, 15)); // 320
        QCOMPARE(marker->value(), 320);
        QTest::mouseRelease(m_slider.get(), Qt::LeftButton, {}, QPoint(74, 15));
        // The slider's value stays.
        QCOMPARE(m_log, QStringList({ "pressed", "released" }));
    }

    void clickSelectsExclusively()
    {
        AdvancedSliderThumb* first = Shape(m_slider->addThumb("first"));
        AdvancedSliderThumb* second = Shape(m_slider->addThumb("second"));
        first->setValue(200);
        second->setValue(600);
        QVERIFY(Show());

        QTest::mouseClick(first, Qt::LeftButton, {}, ThumbCentre);
        QTest::mouseClick(second, Qt::LeftButton, {}, ThumbCentre);
        QCOMPARE(m_slider->selectedThumb(), second);
        // The clicked thumb takes the keys, and goes on repainting.
        QVERIFY(second->hasFocus());
        QVERIFY(second->updatesEnabled());

        // Deselecting falls back to the default thumb; clicks move nothing.
        QTest::mouseClick(second, Qt::LeftButton, {}, ThumbCentre);
        QCOMPARE(m_slider->selectedThumb(), m_slider->defaultThumb());
        QCOMPARE(second->value(), 600);
    }

    void groovePressMovesActiveThumb()
    {
        Shape(m_slider->defaultThumb());
        AdvancedSliderThumb* marker = Shape(m_slider->addThumb("marker"));
        QVERIFY(Show());

        QTest::mousePress(m_slider.get(), Qt::LeftButton, {}, QPoint(110, GrooveY));
        QTest::mouseMove(m_slider.get(), QPoint(160, GrooveY));
        QTest::mouseRelease(m_slider.get(), Qt::LeftButton, {}, QPoint(160, GrooveY));
        // Moves without a press on the groove change nothing.
        QTest::mouseMove(m_slider.get(), QPoint(60, GrooveY));
        QCOMPARE(m_log,
            QStringList(
                { "pressed", "value 500", "value 500", "value 750", "value 750", "released" }));

        // A selected thumb takes the groove presses instead.
        QTest::mouseClick(marker, Qt::LeftButton, {}, ThumbCentre);
        QCOMPARE(m_slider->selectedThumb(), marker);
        m_log.clear();
        QTest::mouseClick(m_slider.get(), Qt::LeftButton, {}, QPoint(60, GrooveY));
        QCOMPARE(marker->value(), 250);
        QCOMPARE(m_log, QStringList({ "pressed", "released" }));
    }

    void stepsFromWheelAndKeys()
    {
        AdvancedSliderThumb* marker = Shape(m_slider->addThumb("marker"));
        marker->setValue(500);
        QVERIFY(Show());
        QSignalSpy stepped(marker, &AdvancedSliderThumb::stepped);
        QSignalSpy defaultStepped(m_slider->defaultThumb(), &AdvancedSliderThumb::stepped);

        // Nothing selected: the slider leaves wheel and keys to its parent.
        QVERIFY(!SendWheel(m_slider.get(), QPoint(0, 120)));
        QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
        QApplication::sendEvent(m_slider.get(), &up);
        QVERIFY(!up.isAccepted());
        // The thumb itself reports, selected or not.
        QVERIFY(SendWheel(marker, QPoint(0, -240)));
        QTest::keyClick(marker, Qt::Key_Down);
        QTest::keyClick(marker, Qt::Key_Right);
        // A selected thumb hears the slider's wheel and arrows.
        QTest::mouseClick(marker, Qt::LeftButton, {}, ThumbCentre);
        QVERIFY(SendWheel(m_slider.get(), QPoint(-360, 120)));
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

    void thumbRemovedOnItsOwnDragFinished()
    {
        // The host drops a marker when the user lets go of it: the marker goes
        // at once and is freed after its release handler has returned.
        QPointer<AdvancedSliderThumb> marker = Shape(m_slider->addThumb("marker"));
        marker->setValue(800);
        QVERIFY(Show());
        connect(marker, &AdvancedSliderThumb::dragFinished, m_slider.get(),
            [this] { m_slider->removeThumb("marker"); });
        QTest::mousePress(marker, Qt::LeftButton, {}, ThumbCentre);
        QTest::mouseMove(m_slider.get(), QPoint(160, 15));
        QTest::mouseRelease(m_slider.get(), Qt::LeftButton, {}, QPoint(160, 15));
        QCOMPARE(m_log, QStringList({ "pressed", "released" }));
        QCOMPARE(m_slider->thumbByStyleTag("marker"), nullptr);
        QVERIFY(!marker || !marker->isVisible());
        QTRY_VERIFY(marker.isNull());
    }

    void outlivesItsRenderingSiblings()
    {
        // The hidden sliders that render the groove are the slider's siblings:
        // the parent may delete them first.
        auto* parent = new QWidget;
        auto* slider = new AdvancedSlider(parent);
        slider->raise();
        delete parent;

        // Moved elsewhere, the slider keeps rendering after its old parent has gone.
        auto* oldParent = new QWidget;
        QWidget newParent;
        auto* moved = new AdvancedSlider(oldParent);
        moved->setOrientation(Qt::Horizontal);
        moved->defaultThumb()->hide();
        moved->setGrooveEmptyStyle("background: #0000ff; height: 10px;");
        moved->setParent(&newParent);
        moved->setGeometry(0, 0, 100, 20);
        delete oldParent;
        newParent.show();
        QTRY_COMPARE(moved->grab().toImage().pixelColor(50, 10), QColor(Qt::blue));
    }

    void paintsRanges()
    {
        QWidget parent;
        LayeredSlider(&parent);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        // One letter per pixel of the groove's middle line, from x = 12 to x = 207.
        const QImage image = Shown(&parent);
        const QHash<QRgb, QChar> letters { { qRgb(0, 0, 255), 'e' }, { qRgb(0, 255, 0), 'n' },
            { qRgb(255, 0, 0), 's' }, { qRgb(255, 255, 255), '|' } };
        QString line;
        for (int x = 12; x <= 207; ++x)
            line += letters.value(image.pixel(x, 15) | 0xff000000, '?');
        QCOMPARE(line,
            QString(48, 'e') + '|' + QString(49, 'n') + '|' + QString(19, 'e') + '|'
                + QString(39, 's') + '|' + QString(37, 'e'));
    }

    void marksMergeWhenCrowded_data()
    {
        QTest::addColumn<MarkRow>("row");
        // Five values a pixel: 100 paints at x = 30.
        QTest::newRow("apart") << MarkRow { { 140, 100 }, { { 29, 31 }, { 37, 39 } } };
        QTest::newRow("crowded") << MarkRow { { 100, 135 }, { { 29, 38 } } };
        QTest::newRow("a run from the last mark")
            << MarkRow { { 500, 160, 100, 190, 130 }, { { 29, 49 }, { 109, 111 } } };
    }

    void marksMergeWhenCrowded()
    {
        QFETCH(MarkRow, row);
        QWidget parent;
        AdvancedSlider* slider = LayeredSlider(&parent);
        slider->setMarks(row.marks);
        QCOMPARE(slider->markStretches(), row.stretches);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        const QImage image = Shown(&parent);
        QString painted, expected;
        for (int x = 12; x <= 207; ++x) {
            painted += image.pixel(x, 15) == qRgb(255, 255, 0) ? 'm' : '.';
            const auto inside = [x](QPair<int, int> s) { return s.first <= x && x <= s.second; };
            expected += std::any_of(row.stretches.begin(), row.stretches.end(), inside) ? 'm' : '.';
        }
        QCOMPARE(painted, expected);
    }

    void layersFollowChanges_data()
    {
        QTest::addColumn<LayerRow>("row");
        using S = AdvancedSlider*;
        // The slider's own handle in sight, moved.
        QTest::newRow("value") << LayerRow { [](S s) {
            s->setStyleSheet("QSlider::handle:horizontal { background: #ff00ff; width: 6px; }");
            Shown(s->window());
            s->setValue(700);
        } };
        QTest::newRow("size") << LayerRow { [](S s) { s->resize(180, 30); } };
        QTest::newRow("orientation") << LayerRow { [](S s) { s->setOrientation(Qt::Vertical); } };
        QTest::newRow("groove offset") << LayerRow { [](S s) { s->setGrooveOffset(30); } };
        int layer = 0;
        for (const auto setFragment : { &AdvancedSlider::setGrooveEmptyStyle,
                 &AdvancedSlider::setGrooveNormalStyle, &AdvancedSlider::setGrooveSelectedStyle,
                 &AdvancedSlider::setGrooveBorderStyle, &AdvancedSlider::setGrooveMarkStyle })
            QTest::addRow("fragment %d", layer++)
                << LayerRow { [setFragment](S s) { (s->*setFragment)({}); } };
        QTest::newRow("parent style") << LayerRow { [](S s) {
            s->parentWidget()->setStyleSheet("QSlider::groove { border: 2px solid #f0f; }");
        } };
        QTest::newRow("parent disabled") << LayerRow { [](S s) {
            s->parentWidget()->setStyleSheet("QSlider::groove:disabled{border:2px solid #f0f}");
            Shown(s->window());
            s->parentWidget()->setEnabled(false);
        } };
        // The parent's style sheet puts the value into the layers.
        QTest::newRow("value in the layers") << LayerRow { [](S s) {
            s->parentWidget()->setStyleSheet("QSlider::sub-page:horizontal { background: #f00; }");
            Shown(s->window());
            s->setValue(700);
        } };
    }

    void layersFollowChanges()
    {
        QFETCH(LayerRow, row);
        QWidget cached, fresh;
        AdvancedSlider* slider = LayeredSlider(&cached);
        cached.show();
        QVERIFY(QTest::qWaitForWindowExposed(&cached));
        Shown(&cached);
        row.change(slider);
        const QImage shown = Shown(&cached).copy(slider->geometry());
        // Built after the change, this one renders everything for the first time.
        row.change(LayeredSlider(&fresh));
        fresh.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fresh));
        QCOMPARE(shown, Shown(&fresh).copy(slider->geometry()));
    }

    // The timeline: a slider of times in microseconds over 32-bit positions.
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
    }

    void toolTip_data()
    {
        QTest::addColumn<ToolTipRow>("row");
        const QStringList minutesFirst { "mm:ss", "hh:mm:ss" };
        QTest::newRow("left of the groove") << ToolTipRow { {}, 2 * Hour, { 4, 20 }, "00:00:00" };
        // The thumb passes the hover on to its slider.
        QTest::newRow("over the thumb")
            << ToolTipRow { minutesFirst, 2 * Hour, { 61, 15 }, "30:36" };
        QTest::newRow("milliseconds")
            << ToolTipRow { { "hh:mm:ss", "hh:mm:ss.zzz" }, Second, { 11, 20 }, "00:00:00.005" };
        // Offsets that leave no groove: no time axis, the start everywhere.
        QTest::newRow("no groove") << ToolTipRow { {}, 2 * Hour, { 150, 20 }, "00:00:00", 110 };
    }

    void toolTip()
    {
        QFETCH(ToolTipRow, row);
        auto slider = std::make_unique<TimelineSlider>();
        slider->setOrientation(Qt::Horizontal);
        slider->setGrooveOffset(row.grooveOffset);
        slider->setFixedSize(220, 30);
        Shape(slider->defaultThumb());
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

QTEST_MAIN(tst_AdvancedSlider)
#include "tst_advancedslider.moc"
