#include "Gui/Reelkit/DirectClickSlider.h"
#include "Gui/Reelkit/VolumeButton.h"
#include "Gui/Reelkit/VolumeControl.h"

#include <QBoxLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QSlider>
#include <QStyleFactory>
#include <QTimer>
#include <QToolButton>
#include <QTranslator>
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

// Translates the volume control's texts into a made-up language.
class Translator : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        return qstrcmp(context, "VolumeControl") == 0 ? QString("<%1>").arg(source) : QString();
    }
};

// A window with a volume button in it and a field to take the focus.
struct ButtonWindow
{
    ButtonWindow()
    {
        auto* layout = new QHBoxLayout(&window);
        field = new QLineEdit(&window);
        button = new VolumeButton(&window);
        button->setFixedSize(32, 32);
        layout->addWidget(field);
        layout->addWidget(button);
        window.move(300, 300);
    }

    bool Show()
    {
        window.show();
        window.activateWindow();
        QApplication::setActiveWindow(&window);
        return QTest::qWaitForWindowActive(&window);
    }

    QSlider* PopUp() const { return button->findChild<QSlider*>("m_slider"); }
    QToolButton* Current() const { return qobject_cast<QToolButton*>(button->currentWidget()); }

    QWidget window;
    QLineEdit* field;
    VolumeButton* button;
};

} // namespace

class tst_VolumeWidgets : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void sharedMembers_data();
    void sharedMembers();
    void levels_data();
    void levels();

    void controlStyleFollowsLevel();
    void controlSignalOrder();
    void controlClicks();
    void controlRetranslate();

    void buttonStyleTags();
    void buttonPopUpOpensAbove();
    void buttonPopUpReportsEachValue();
    void buttonPopUpClosesOnFocusLoss();
    void buttonPopUpStaysForClickOnButton();
    void buttonPopUpHideChecks();
    void buttonShowSlider();

private:
    QPushButton* MuteButton() const { return m_control->findChild<QPushButton*>("mute"); }
    DirectClickSlider* Volume() const { return m_control->findChild<DirectClickSlider*>("volume"); }
    QString Level() const { return MuteButton()->property("volume").toString(); }

    std::unique_ptr<VolumeControl> m_control;
    // Bound to the control.
    std::unique_ptr<Panel> m_panel;
    std::unique_ptr<ButtonWindow> m_w;
};

void tst_VolumeWidgets::initTestCase()
{
    QApplication::setStyle(QStyleFactory::create("Fusion"));
}

void tst_VolumeWidgets::init()
{
    m_control = std::make_unique<VolumeControl>();
    m_panel = std::make_unique<Panel>();
    QVERIFY(m_panel->Bind(m_control.get()));
    m_w = std::make_unique<ButtonWindow>();
}

void tst_VolumeWidgets::cleanup()
{
    m_w.reset();
    m_panel.reset();
    m_control.reset();
}

void tst_VolumeWidgets::sharedMembers_data()
{
    QTest::addColumn<bool>("control");
    QTest::addColumn<QStringList>("log");
    // The control reports a real change and always its mute state; the button
    // reports every volume it is given and mutes by going silent.
    QTest::newRow("VolumeControl")
        << true
        << QStringList({ "VolumeChanged(70)", "Muted(true)", "Muted(false)", "VolumeChanged(20)" });
    QTest::newRow("VolumeButton") << false
                                  << QStringList({ "VolumeChanged(70)", "VolumeChanged(0)",
                                         "VolumeChanged(20)" });
}

void tst_VolumeWidgets::sharedMembers()
{
    QFETCH(bool, control);
    QFETCH(QStringList, log);
    Panel panel;
    QVERIFY(panel.Bind(control ? static_cast<QWidget*>(m_control.get()) : m_w->button));
    emit panel.SetVolumeSignal(70);
    emit panel.SetMutedSignal(true);
    emit panel.SetMutedSignal(false);
    emit panel.SetVolumeSignal(20);
    QCOMPARE(panel.log, log);
}

void tst_VolumeWidgets::levels_data()
{
    QTest::addColumn<int>("volume");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("controlLevel");
    QTest::addColumn<int>("buttonPage");
    QTest::newRow("below range") << -5 << 0 << "0" << 0;
    for (const auto& [volume, level, page] : std::initializer_list<std::tuple<int, int, int>> {
             { 0, 0, 0 }, { 1, 1, 1 }, { 25, 1, 1 }, { 26, 1, 2 }, { 33, 1, 2 }, { 34, 2, 2 },
             { 50, 2, 2 }, { 51, 2, 3 }, { 66, 2, 3 }, { 67, 3, 3 }, { 75, 3, 3 }, { 76, 3, 4 } })
        QTest::addRow("%d", volume) << volume << volume << QString::number(level) << page;
    QTest::newRow("above range") << 250 << 100 << "3" << 4;
}

void tst_VolumeWidgets::levels()
{
    QFETCH(int, volume);
    QFETCH(int, value);
    QFETCH(QString, controlLevel);
    QFETCH(int, buttonPage);
    m_control->SetVolume(volume);
    QCOMPARE(Volume()->value(), value);
    QCOMPARE(Level(), controlLevel);

    QSignalSpy changed(m_w->button, SIGNAL(VolumeChanged(int)));
    m_w->button->SetVolume(volume);
    // Reported every time, also when nothing changed.
    m_w->button->SetVolume(volume);
    QCOMPARE(m_w->button->currentIndex(), buttonPage);
    QCOMPARE(m_w->PopUp()->value(), value);
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed.at(1).at(0).toInt(), value);
}

void tst_VolumeWidgets::controlStyleFollowsLevel()
{
    m_control->setStyleSheet("QPushButton#mute[volume=\"off\"] { color: #010101; }"
                             "QPushButton#mute[volume=\"2\"] { color: #020202; }"
                             "QPushButton#mute[volume=\"3\"] { color: #030303; }");
    m_control->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_control.get()));
    const auto color = [this] { return MuteButton()->palette().color(QPalette::ButtonText); };

    // Each change of the property takes effect at once, without a new style sheet.
    QCOMPARE(color(), QColor("#020202"));
    m_control->SetVolume(90);
    QCOMPARE(color(), QColor("#030303"));
    m_control->Mute(true);
    QCOMPARE(color(), QColor("#010101"));
}

void tst_VolumeWidgets::controlSignalOrder()
{
    // Setting the current volume again is no change.
    m_control->SetVolume(50);
    m_control->Mute(true);
    m_control->Mute(true);
    QCOMPARE(m_panel->log, QStringList({ "Muted(true)", "Muted(true)" }));

    // A new volume ends muting first, and the level leaves "off".
    m_panel->log.clear();
    m_control->SetVolume(70);
    QCOMPARE(m_panel->log, QStringList({ "Muted(false)", "VolumeChanged(70)" }));
    QCOMPARE(Level(), QString("3"));

    // Muting again at the same volume stays muted.
    m_panel->log.clear();
    m_control->Mute(true);
    m_control->SetVolume(70);
    QCOMPARE(m_panel->log, QStringList({ "Muted(true)" }));
    QCOMPARE(Level(), QString("off"));
}

void tst_VolumeWidgets::controlClicks()
{
    m_control->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_control.get()));
    QTest::mouseClick(MuteButton(), Qt::LeftButton);
    QCOMPARE(Level(), QString("off"));
    QCOMPARE(m_panel->log, QStringList({ "Muted(true)" }));

    // A click on the slider ends muting first.
    m_panel->log.clear();
    const QPoint point(Volume()->width() * 9 / 10, Volume()->height() / 2);
    QTest::mousePress(Volume(), Qt::LeftButton, Qt::NoModifier, point);
    QCOMPARE(m_panel->log.mid(0, 2),
        QStringList({ "Muted(false)",
            QString("VolumeChanged(%1)").arg(point.x() * 100 / Volume()->width()) }));
    QTest::mouseRelease(Volume(), Qt::LeftButton, Qt::NoModifier, point);
    QCOMPARE(Level(), QString("3"));
}

void tst_VolumeWidgets::controlRetranslate()
{
    m_control->SetVolume(10);
    Translator translator;
    QCoreApplication::installTranslator(&translator);
    m_control->retranslateUI(nullptr);
    QCoreApplication::removeTranslator(&translator);
    QCOMPARE(m_control->windowTitle(), QString("<VolumeControl>"));
    QCOMPARE(MuteButton()->toolTip(), QString("<Mute>"));
    // The level is state, not text: it survives the new translation.
    QCOMPARE(Level(), QString("1"));
}

void tst_VolumeWidgets::buttonStyleTags()
{
    VolumeButton* button = m_w->button;
    QCOMPARE(button->property("styleTag").toString(), QString("volumeButtonMain"));
    QCOMPARE(button->count(), 5);
    for (int i = 0; i < button->count(); ++i) {
        QCOMPARE(
            button->widget(i)->property("styleTag").toString(), QString("volumeButton%1").arg(i));
        // The pop-up keeps the focus while its button is clicked.
        QCOMPARE(button->widget(i)->focusPolicy(), Qt::NoFocus);
    }
}

void tst_VolumeWidgets::buttonPopUpOpensAbove()
{
    m_w->button->SetVolume(40);
    QVERIFY(m_w->Show());
    QSlider* slider = m_w->PopUp();
    QToolButton* current = m_w->Current();

    QTest::mouseClick(current, Qt::LeftButton);
    QVERIFY(current->isChecked());
    QVERIFY(slider->isVisible());
    QCOMPARE(slider->windowFlags() & (Qt::SplashScreen | Qt::WindowStaysOnTopHint),
        Qt::SplashScreen | Qt::WindowStaysOnTopHint);
    const QPoint corner = m_w->button->mapToGlobal(QPoint(0, 0));
    QCOMPARE(slider->pos(), QPoint(corner.x(), corner.y() - 120));
    QCOMPARE(slider->size(), QSize(32, 120));
    QTRY_VERIFY(slider->hasFocus());

    QTest::mouseClick(current, Qt::LeftButton);
    QVERIFY(!current->isChecked());
    QVERIFY(!slider->isVisible());
}

void tst_VolumeWidgets::buttonPopUpReportsEachValue()
{
    m_w->button->SetVolume(49);
    QVERIFY(m_w->Show());
    QSlider* slider = m_w->PopUp();
    QTest::mouseClick(m_w->Current(), Qt::LeftButton);
    QTRY_VERIFY(slider->hasFocus());
    Panel panel;
    QVERIFY(panel.Bind(m_w->button));

    for (int i = 0; i < 3; ++i)
        QTest::keyClick(slider, Qt::Key_Up);
    QCOMPARE(
        panel.log, QStringList({ "VolumeChanged(50)", "VolumeChanged(51)", "VolumeChanged(52)" }));
    // The new page's button takes over the open state; the pop-up stays.
    QCOMPARE(m_w->button->currentIndex(), 3);
    QVERIFY(m_w->Current()->isChecked());
    QVERIFY(slider->isVisible());
}

void tst_VolumeWidgets::buttonPopUpClosesOnFocusLoss()
{
    QVERIFY(m_w->Show());
    QSlider* slider = m_w->PopUp();
    QTest::mouseClick(m_w->Current(), Qt::LeftButton);
    QTRY_VERIFY(slider->hasFocus());
    QApplication::setActiveWindow(&m_w->window);
    m_w->field->setFocus();
    // Well before the first hide check.
    QTRY_VERIFY_WITH_TIMEOUT(!slider->isVisible(), 500);
    QVERIFY(!m_w->Current()->isChecked());
}

void tst_VolumeWidgets::buttonPopUpStaysForClickOnButton()
{
    QVERIFY(m_w->Show());
    QSlider* slider = m_w->PopUp();
    QToolButton* current = m_w->Current();
    QTest::mouseClick(current, Qt::LeftButton);
    QTRY_VERIFY(slider->hasFocus());
    // The focus leaves while the mouse is on the button: its own click closes.
    QTest::mouseMove(current);
    QTRY_VERIFY(current->underMouse());
    QApplication::setActiveWindow(&m_w->window);
    m_w->field->setFocus();
    QTRY_VERIFY(!slider->hasFocus());
    QVERIFY(slider->isVisible() && current->isChecked());
}

void tst_VolumeWidgets::buttonPopUpHideChecks()
{
    QVERIFY(m_w->Show());
    QTest::mouseMove(m_w->field);
    QSlider* slider = m_w->PopUp();
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(m_w->Current(), Qt::LeftButton);
    QVERIFY(slider->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!slider->isVisible(), 3000);
    QVERIFY(clock.elapsed() >= 1500);
    QVERIFY(!m_w->Current()->isChecked());

    // The check finds the mouse over the pop-up and looks again later.
    clock.restart();
    QTest::mouseClick(m_w->Current(), Qt::LeftButton);
    QTest::mouseMove(slider);
    QTRY_VERIFY(slider->underMouse());
    QTest::qWait(2300);
    QVERIFY(slider->isVisible());
    QTest::mouseMove(m_w->field);
    QTRY_VERIFY(!slider->underMouse());
    QTRY_VERIFY_WITH_TIMEOUT(!slider->isVisible(), 3000);
    // Closed by the second check, not the first (coarse timers may be 5% early).
    QVERIFY(clock.elapsed() >= 3500);
    QVERIFY(!m_w->Current()->isChecked());
}

void tst_VolumeWidgets::buttonShowSlider()
{
    QVERIFY(m_w->Show());
    QSlider* slider = m_w->PopUp();
    m_w->button->showSlider();
    QVERIFY(!slider->isVisible());

    QMainWindow mainWindow;
    m_w->button->setMainWindow(&mainWindow);
    m_w->button->showSlider();
    QVERIFY(slider->isVisible());
    QCOMPARE(
        slider->windowFlags() & (Qt::SplashScreen | Qt::WindowStaysOnTopHint), Qt::SplashScreen);
    QVERIFY(!m_w->Current()->isChecked());
    QVERIFY(!m_w->button->findChild<QTimer*>()->isActive());

    m_w->button->showSlider();
    QVERIFY(!slider->isVisible());
}

QTEST_MAIN(tst_VolumeWidgets)
#include "tst_volumewidgets.moc"
