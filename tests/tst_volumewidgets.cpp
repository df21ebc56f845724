#include "Gui/Reelkit/DirectClickSlider.h"
#include "Gui/Reelkit/VolumeButton.h"
#include "Gui/Reelkit/VolumeControl.h"

#include <QBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionSlider>
#include <QToolButton>
#include <QtTest>
#include <memory>

using Tarvos::Gui::DirectClickSlider;
using Tarvos::Gui::VolumeButton;
using Tarvos::Gui::VolumeControl;

namespace {

// Drives and listens to a volume widget by signal and slot names only, as the
// panel does.
class Panel : public QObject
{
    Q_OBJECT

public:
    QStringList log;

    bool Bind(QObject* widget)
    {
        return connect(this, SIGNAL(SetVolumeSignal(int)), widget, SLOT(SetVolume(int)))
            && connect(this, SIGNAL(SetMutedSignal(bool)), widget, SLOT(Mute(bool)))
            && connect(widget, SIGNAL(VolumeChanged(int)), this, SLOT(OnVolumeChanged(int)))
            && connect(widget, SIGNAL(Muted(bool)), this, SLOT(OnMuted(bool)));
    }

signals:
    void SetVolumeSignal(int volume);
    void SetMutedSignal(bool mute);

public slots:
    void OnVolumeChanged(int volume) { log.append(QString("VolumeChanged(%1)").arg(volume)); }
    void OnMuted(bool muted) { log.append(QString("Muted(%1)").arg(muted ? "true" : "false")); }
};

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

struct LevelRow
{
    int volume, value, level, page;
};

} // namespace

Q_DECLARE_METATYPE(LevelRow)
Q_DECLARE_METATYPE(ClickRow)

class tst_VolumeWidgets : public QObject
{
    Q_OBJECT

    std::unique_ptr<VolumeControl> m_control;
    std::unique_ptr<Panel> m_panel; // bound to the control
    // A window with a volume button in it and a field to take the focus.
    std::unique_ptr<QWidget> m_window;
    QLineEdit* m_field = nullptr;
    VolumeButton* m_button = nullptr;

    QPushButton* MuteButton() const { return m_control->findChild<QPushButton*>("mute"); }
    DirectClickSlider* Volume() const { return m_control->findChild<DirectClickSlider*>("volume"); }
    QString Level() const { return MuteButton()->property("volume").toString(); }
    QSlider* PopUp() const { return m_button->findChild<QSlider*>("m_slider"); }
    QToolButton* Current() const { return qobject_cast<QToolButton*>(m_button->currentWidget()); }

    // Shows the window and opens the button's pop-up with a click.
    bool OpenPopUp()
    {
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        if (!QTest::qWaitForWindowActive(m_window.get()))
            return false;
        QTest::mouseClick(Current(), Qt::LeftButton);
        return QTest::qWaitFor([this] { return PopUp()->hasFocus(); });
    }

private slots:
    void initTestCase() { QApplication::setStyle(QStyleFactory::create("Fusion")); }

    void init()
    {
        m_control = std::make_unique<VolumeControl>();
        m_panel = std::make_unique<Panel>();
        QVERIFY(m_panel->Bind(m_control.get()));
        m_window = std::make_unique<QWidget>();
        auto* layout = new QHBoxLayout(m_window.get());
        layout->addWidget(m_field = new QLineEdit);
        layout->addWidget(m_button = new VolumeButton);
        m_button->setFixedSize(32, 32);
        m_window->move(300, 300);
    }

    void cleanup()
    {
        m_window.reset();
        m_panel.reset();
        m_control.reset();
    }

    void buttonMutesBySilence()
    {
        Panel panel;
        QVERIFY(panel.Bind(m_button));
        emit panel.SetVolumeSignal(70);
        emit panel.SetMutedSignal(true);
        emit panel.SetMutedSignal(false);
        QCOMPARE(panel.log, QStringList({ "VolumeChanged(70)", "VolumeChanged(0)" }));
    }

    void levels_data()
    {
        QTest::addColumn<LevelRow>("row");
        // Volume, slider value, the control's level, the button's page.
        for (const LevelRow& row : { LevelRow { -5, 0, 0, 0 }, { 0, 0, 0, 0 }, { 1, 1, 1, 1 },
                 { 25, 25, 1, 1 }, { 26, 26, 1, 2 }, { 33, 33, 1, 2 }, { 34, 34, 2, 2 },
                 { 50, 50, 2, 2 }, { 51, 51, 2, 3 }, { 66, 66, 2, 3 }, { 67, 67, 3, 3 },
                 { 75, 75, 3, 3 }, { 76, 76, 3, 4 }, { 250, 100, 3, 4 } })
            QTest::addRow("%d", row.volume) << row;
    }

    void levels()
    {
        QFETCH(LevelRow, row);
        const int volume = row.volume, value = row.value;
        m_control->SetVolume(volume);
        QCOMPARE(Volume()->value(), value);
        QCOMPARE(Level(), QString::number(row.level));

        QSignalSpy changed(m_button, SIGNAL(VolumeChanged(int)));
        m_button->SetVolume(volume);
        // Reported every time, also when nothing changed.
        m_button->SetVolume(volume);
        QCOMPARE(m_button->currentIndex(), row.page);
        QCOMPARE(PopUp()->value(), value);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed.at(1).at(0).toInt(), value);
    }

    void control()
    {
        m_control->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_control.get()));
        // Setting the current volume again is no change; every mute is reported.
        m_control->SetVolume(50);
        m_control->Mute(true);
        m_control->Mute(true);
        // A new volume ends muting first, and the level leaves "off".
        m_control->SetVolume(70);
        QCOMPARE(m_panel->log,
            QStringList({ "Muted(true)", "Muted(true)", "Muted(false)", "VolumeChanged(70)" }));
        QCOMPARE(Level(), QString("3"));

        // Muted by its button, the control stays muted at the same volume.
        m_panel->log.clear();
        QTest::mouseClick(MuteButton(), Qt::LeftButton);
        m_control->SetVolume(70);
        QCOMPARE(m_panel->log, QStringList({ "Muted(true)" }));
        QCOMPARE(Level(), QString("off"));

        // A click on the slider ends muting first.
        m_panel->log.clear();
        const QPoint point(Volume()->width() / 10, Volume()->height() / 2);
        QTest::mousePress(Volume(), Qt::LeftButton, Qt::NoModifier, point);
        QCOMPARE(m_panel->log.mid(0, 2),
            QStringList({ "Muted(false)",
                QString("VolumeChanged(%1)").arg(point.x() * 100 / Volume()->width()) }));
        QTest::mouseRelease(Volume(), Qt::LeftButton, Qt::NoModifier, point);
        QCOMPARE(Level(), QString("1"));
    }

    void buttonPopUpOpensAbove()
    {
        m_button->SetVolume(49);
        QVERIFY(OpenPopUp());
        QSlider* slider = PopUp();
        const QPoint corner = m_button->mapToGlobal(QPoint(0, 0));
        QCOMPARE(
            QRect(slider->pos(), slider->size()), QRect(corner.x(), corner.y() - 120, 32, 120));

        // Each step is reported; the new page's button takes over the open state.
        Panel panel;
        QVERIFY(panel.Bind(m_button));
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(slider, Qt::Key_Up);
        QCOMPARE(panel.log,
            QStringList({ "VolumeChanged(50)", "VolumeChanged(51)", "VolumeChanged(52)" }));
        QCOMPARE(m_button->currentIndex(), 3);
        QVERIFY(Current()->isChecked());
        QVERIFY(slider->isVisible());
    }

    void buttonKeyboard()
    {
        // Tab reaches the button itself, never its pages, so the pop-up keeps the focus.
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        m_field->setFocus();
        QTest::keyClick(m_field, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), m_button);
        // Return opens the pop-up; Enter in it closes it again.
        QTest::keyClick(m_button, Qt::Key_Return);
        QVERIFY(Current()->isChecked());
        QTest::keyClick(PopUp(), Qt::Key_Enter);
        QVERIFY(!Current()->isChecked());
    }

    // The volume slider jumps to the click.
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

QTEST_MAIN(tst_VolumeWidgets)
#include "tst_volumewidgets.moc"
