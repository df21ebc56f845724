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
        if (qstrcmp(context, "VolumeControl") != 0)
            return QString();
        return QString("<%1>").arg(source);
    }
};

QPushButton* MuteButton(VolumeControl& control)
{
    return control.findChild<QPushButton*>("mute");
}

DirectClickSlider* VolumeSlider(VolumeControl& control)
{
    return control.findChild<DirectClickSlider*>("volume");
}

QString Level(VolumeControl& control)
{
    return MuteButton(control)->property("volume").toString();
}

QSlider* PopUp(VolumeButton& button)
{
    return button.findChild<QSlider*>("m_slider");
}

QToolButton* CurrentButton(VolumeButton& button)
{
    return qobject_cast<QToolButton*>(button.currentWidget());
}

// A shown window with a volume button in it and a field to take the focus.
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

    void sharedMembers_data();
    void sharedMembers();

    void controlTree();
    void controlLevels_data();
    void controlLevels();
    void controlStyleFollowsLevel();
    void controlSignalOrder();
    void controlMuteButton();
    void controlSliderClickEndsMute();
    void controlRetranslate();

    void buttonConstruction();
    void buttonPages_data();
    void buttonPages();
    void buttonMuteSilences();
    void buttonPopUpOpensAbove();
    void buttonPopUpReportsEachValue();
    void buttonPopUpClosesOnFocusLoss();
    void buttonPopUpStaysForClickOnButton();
    void buttonPopUpClosesAtFirstCheck();
    void buttonPopUpClosesWhenMouseLeaves();
    void buttonShowSlider();
};

void tst_VolumeWidgets::initTestCase()
{
    QApplication::setStyle(QStyleFactory::create("Fusion"));
}

void tst_VolumeWidgets::sharedMembers_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("log");

    // The control reports a real change and always its mute state; the button
    // reports every volume it is given and mutes by going silent.
    QTest::newRow("VolumeControl")
        << "VolumeControl"
        << QStringList({ "VolumeChanged(70)", "Muted(true)", "Muted(false)", "VolumeChanged(20)" });
    QTest::newRow("VolumeButton") << "VolumeButton"
                                  << QStringList({ "VolumeChanged(70)", "VolumeChanged(0)",
                                         "VolumeChanged(20)" });
}

void tst_VolumeWidgets::sharedMembers()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, log);

    QWidget parent;
    QWidget* widget = kind == "VolumeControl" ? static_cast<QWidget*>(new VolumeControl(&parent))
                                              : new VolumeButton(&parent);
    QCOMPARE(widget->metaObject()->className(), qPrintable("Tarvos::Gui::" + kind));
    QCOMPARE(widget->parentWidget(), &parent);

    Panel panel;
    QVERIFY(panel.Bind(widget));
    emit panel.SetVolumeSignal(70);
    emit panel.SetMutedSignal(true);
    emit panel.SetMutedSignal(false);
    emit panel.SetVolumeSignal(20);
    QCOMPARE(panel.log, log);
}

void tst_VolumeWidgets::controlTree()
{
    // The names and types that style sheets and the form's layout rely on.
    VolumeControl control;
    QCOMPARE(control.objectName(), QString("VolumeControl"));
    auto* row = control.findChild<QHBoxLayout*>("horizontalLayout");
    QVERIFY(row);
    QCOMPARE(row->itemAt(0)->widget(), MuteButton(control));
    auto* column = control.findChild<QVBoxLayout*>("verticalLayout");
    QCOMPARE(row->itemAt(1)->layout(), column);
    QVERIFY(column->itemAt(0)->spacerItem());
    DirectClickSlider* volume = VolumeSlider(control);
    QCOMPARE(column->itemAt(1)->widget(), volume);
    QCOMPARE(volume->orientation(), Qt::Horizontal);
    QCOMPARE(volume->maximum(), 100);
    QCOMPARE(volume->value(), 50);
    QCOMPARE(MuteButton(control)->toolTip(), QString("Mute"));
    QCOMPARE(Level(control), QString("2"));
}

void tst_VolumeWidgets::controlLevels_data()
{
    QTest::addColumn<int>("volume");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("level");

    QTest::newRow("silent") << 0 << 0 << "0";
    QTest::newRow("below range") << -5 << 0 << "0";
    QTest::newRow("lowest") << 1 << 1 << "1";
    QTest::newRow("top of low") << 33 << 33 << "1";
    QTest::newRow("bottom of middle") << 34 << 34 << "2";
    QTest::newRow("top of middle") << 66 << 66 << "2";
    QTest::newRow("bottom of high") << 67 << 67 << "3";
    QTest::newRow("above range") << 250 << 100 << "3";
}

void tst_VolumeWidgets::controlLevels()
{
    QFETCH(int, volume);
    QFETCH(int, value);
    QFETCH(QString, level);

    VolumeControl control;
    QSignalSpy changed(&control, SIGNAL(VolumeChanged(int)));
    control.SetVolume(volume);
    QCOMPARE(VolumeSlider(control)->value(), value);
    QCOMPARE(Level(control), level);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toInt(), value);

    control.Mute(true);
    QCOMPARE(Level(control), QString("off"));
    control.Mute(false);
    QCOMPARE(Level(control), level);
}

void tst_VolumeWidgets::controlStyleFollowsLevel()
{
    VolumeControl control;
    control.setStyleSheet("QPushButton#mute[volume=\"off\"] { color: #010101; }"
                          "QPushButton#mute[volume=\"2\"] { color: #020202; }"
                          "QPushButton#mute[volume=\"3\"] { color: #030303; }");
    control.show();
    QVERIFY(QTest::qWaitForWindowExposed(&control));
    QPushButton* mute = MuteButton(control);
    auto color = [mute] { return mute->palette().color(QPalette::ButtonText); };

    // Each change of the property takes effect at once, without a new style sheet.
    QCOMPARE(color(), QColor("#020202"));
    control.SetVolume(90);
    QCOMPARE(color(), QColor("#030303"));
    control.Mute(true);
    QCOMPARE(color(), QColor("#010101"));
}

void tst_VolumeWidgets::controlSignalOrder()
{
    VolumeControl control;
    Panel panel;
    QVERIFY(panel.Bind(&control));

    // Setting the current volume again is no change.
    control.SetVolume(50);
    QCOMPARE(panel.log, QStringList());

    control.Mute(true);
    control.Mute(true);
    QCOMPARE(panel.log, QStringList({ "Muted(true)", "Muted(true)" }));

    // A new volume ends muting first, and the level leaves "off".
    panel.log.clear();
    control.SetVolume(70);
    QCOMPARE(panel.log, QStringList({ "Muted(false)", "VolumeChanged(70)" }));
    QCOMPARE(Level(control), QString("3"));

    // Muting again at the same volume stays muted.
    panel.log.clear();
    control.Mute(true);
    control.SetVolume(70);
    QCOMPARE(panel.log, QStringList({ "Muted(true)" }));
    QCOMPARE(Level(control), QString("off"));
}

void tst_VolumeWidgets::controlMuteButton()
{
    VolumeControl control;
    control.show();
    QVERIFY(QTest::qWaitForWindowExposed(&control));
    Panel panel;
    QVERIFY(panel.Bind(&control));

    QTest::mouseClick(MuteButton(control), Qt::LeftButton);
    QCOMPARE(panel.log, QStringList({ "Muted(true)" }));
    QCOMPARE(Level(control), QString("off"));
    QTest::mouseClick(MuteButton(control), Qt::LeftButton);
    QCOMPARE(panel.log, QStringList({ "Muted(true)", "Muted(false)" }));
    QCOMPARE(Level(control), QString("2"));
    QCOMPARE(VolumeSlider(control)->value(), 50);
}

void tst_VolumeWidgets::controlSliderClickEndsMute()
{
    VolumeControl control;
    control.show();
    QVERIFY(QTest::qWaitForWindowExposed(&control));
    control.Mute(true);
    Panel panel;
    QVERIFY(panel.Bind(&control));

    DirectClickSlider* volume = VolumeSlider(control);
    const QPoint point(volume->width() * 9 / 10, volume->height() / 2);
    const int expected = point.x() * 100 / volume->width();
    QTest::mousePress(volume, Qt::LeftButton, Qt::NoModifier, point);
    QVERIFY(panel.log.size() >= 2);
    QCOMPARE(panel.log.mid(0, 2),
        QStringList({ "Muted(false)", QString("VolumeChanged(%1)").arg(expected) }));
    QTest::mouseRelease(volume, Qt::LeftButton, Qt::NoModifier, point);
    QCOMPARE(Level(control), QString("3"));
}

void tst_VolumeWidgets::controlRetranslate()
{
    VolumeControl control;
    control.SetVolume(10);
    Translator translator;
    QCoreApplication::installTranslator(&translator);
    control.retranslateUI(nullptr);
    QCoreApplication::removeTranslator(&translator);

    QCOMPARE(control.windowTitle(), QString("<VolumeControl>"));
    QCOMPARE(MuteButton(control)->toolTip(), QString("<Mute>"));
    // The level is state, not text: it survives the new translation.
    QCOMPARE(Level(control), QString("1"));
}

void tst_VolumeWidgets::buttonConstruction()
{
    VolumeButton button;
    QCOMPARE(button.property("styleTag").toString(), QString("volumeButtonMain"));
    QCOMPARE(button.count(), 5);
    QCOMPARE(button.currentIndex(), 0);
    for (int i = 0; i < button.count(); ++i) {
        auto* page = qobject_cast<QToolButton*>(button.widget(i));
        QCOMPARE(page->property("styleTag").toString(), QString("volumeButton%1").arg(i));
        QVERIFY(page->isCheckable() && !page->isChecked());
        QCOMPARE(page->focusPolicy(), Qt::NoFocus);
    }
    QSlider* slider = PopUp(button);
    QCOMPARE(slider->orientation(), Qt::Vertical);
    QCOMPARE(slider->maximum(), 100);
    QVERIFY(slider->isHidden());
    QVERIFY(button.setProperty("SliderOffset", 7));
    QCOMPARE(button.property("SliderOffset").toInt(), 7);
}

void tst_VolumeWidgets::buttonPages_data()
{
    QTest::addColumn<int>("volume");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("page");

    QTest::newRow("below range") << -5 << 0 << 0;
    QTest::newRow("silent") << 0 << 0 << 0;
    QTest::newRow("lowest") << 1 << 1 << 1;
    QTest::newRow("25") << 25 << 25 << 1;
    QTest::newRow("26") << 26 << 26 << 2;
    QTest::newRow("50") << 50 << 50 << 2;
    QTest::newRow("51") << 51 << 51 << 3;
    QTest::newRow("75") << 75 << 75 << 3;
    QTest::newRow("76") << 76 << 76 << 4;
    QTest::newRow("above range") << 250 << 100 << 4;
}

void tst_VolumeWidgets::buttonPages()
{
    QFETCH(int, volume);
    QFETCH(int, value);
    QFETCH(int, page);

    VolumeButton button;
    QSignalSpy changed(&button, SIGNAL(VolumeChanged(int)));
    button.SetVolume(volume);
    QCOMPARE(button.currentIndex(), page);
    QCOMPARE(PopUp(button)->value(), value);
    QCOMPARE(button.volume(), double(value));
    // Reported every time, also when nothing changed.
    button.SetVolume(volume);
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed.at(0).at(0).toInt(), value);
    QCOMPARE(changed.at(1).at(0).toInt(), value);
}

void tst_VolumeWidgets::buttonMuteSilences()
{
    VolumeButton button;
    button.SetVolume(60);
    Panel panel;
    QVERIFY(panel.Bind(&button));

    button.Mute(false);
    QCOMPARE(panel.log, QStringList());
    QCOMPARE(button.volume(), 60.0);
    button.Mute(true);
    QCOMPARE(panel.log, QStringList({ "VolumeChanged(0)" }));
    QCOMPARE(button.currentIndex(), 0);
}

void tst_VolumeWidgets::buttonPopUpOpensAbove()
{
    ButtonWindow w;
    w.button->SetVolume(40);
    QVERIFY(w.Show());
    QSlider* slider = PopUp(*w.button);
    QToolButton* current = CurrentButton(*w.button);
    QCOMPARE(w.button->currentIndex(), 2);

    QTest::mouseClick(current, Qt::LeftButton);
    QVERIFY(current->isChecked());
    QVERIFY(slider->isVisible());
    QVERIFY(slider->isWindow());
    QCOMPARE(slider->windowFlags() & (Qt::SplashScreen | Qt::WindowStaysOnTopHint),
        Qt::SplashScreen | Qt::WindowStaysOnTopHint);
    const QPoint corner = w.button->mapToGlobal(QPoint(0, 0));
    QCOMPARE(slider->pos(), QPoint(corner.x(), corner.y() - 120));
    QCOMPARE(slider->size(), QSize(32, 120));
    QCOMPARE(slider->value(), 40);
    QTRY_VERIFY(slider->hasFocus());

    QTest::mouseClick(current, Qt::LeftButton);
    QVERIFY(!current->isChecked());
    QVERIFY(!slider->isVisible());
}

void tst_VolumeWidgets::buttonPopUpReportsEachValue()
{
    ButtonWindow w;
    w.button->SetVolume(49);
    QVERIFY(w.Show());
    QSlider* slider = PopUp(*w.button);
    QTest::mouseClick(CurrentButton(*w.button), Qt::LeftButton);
    QTRY_VERIFY(slider->hasFocus());
    QSignalSpy changed(w.button, SIGNAL(VolumeChanged(int)));

    QTest::keyClick(slider, Qt::Key_Up);
    QTest::keyClick(slider, Qt::Key_Up);
    QTest::keyClick(slider, Qt::Key_Up);
    QCOMPARE(changed.count(), 3);
    QCOMPARE(changed.at(0).at(0).toInt(), 50);
    QCOMPARE(changed.at(1).at(0).toInt(), 51);
    QCOMPARE(changed.at(2).at(0).toInt(), 52);
    // The new page's button takes over the open state; the pop-up stays.
    QCOMPARE(w.button->currentIndex(), 3);
    QVERIFY(CurrentButton(*w.button)->isChecked());
    QVERIFY(slider->isVisible());
}

void tst_VolumeWidgets::buttonPopUpClosesOnFocusLoss()
{
    ButtonWindow w;
    QVERIFY(w.Show());
    QSlider* slider = PopUp(*w.button);
    QTest::mouseClick(CurrentButton(*w.button), Qt::LeftButton);
    QTRY_VERIFY(slider->hasFocus());

    QApplication::setActiveWindow(&w.window);
    w.field->setFocus();
    // Well before the first hide check.
    QTRY_VERIFY_WITH_TIMEOUT(!slider->isVisible(), 500);
    QVERIFY(!CurrentButton(*w.button)->isChecked());
}

void tst_VolumeWidgets::buttonPopUpStaysForClickOnButton()
{
    ButtonWindow w;
    QVERIFY(w.Show());
    QSlider* slider = PopUp(*w.button);
    QToolButton* current = CurrentButton(*w.button);
    QTest::mouseClick(current, Qt::LeftButton);
    QTRY_VERIFY(slider->hasFocus());

    // The focus leaves while the mouse is on the button: its own click closes.
    QTest::mouseMove(current);
    QTRY_VERIFY(current->underMouse());
    QApplication::setActiveWindow(&w.window);
    w.field->setFocus();
    QTRY_VERIFY(!slider->hasFocus());
    QVERIFY(slider->isVisible());
    QVERIFY(current->isChecked());
}

void tst_VolumeWidgets::buttonPopUpClosesAtFirstCheck()
{
    ButtonWindow w;
    QVERIFY(w.Show());
    QTest::mouseMove(w.field);
    QSlider* slider = PopUp(*w.button);
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(CurrentButton(*w.button), Qt::LeftButton);
    QVERIFY(slider->isVisible());

    QTRY_VERIFY_WITH_TIMEOUT(!slider->isVisible(), 3000);
    QVERIFY(clock.elapsed() >= 1500);
    QVERIFY(!CurrentButton(*w.button)->isChecked());
}

void tst_VolumeWidgets::buttonPopUpClosesWhenMouseLeaves()
{
    ButtonWindow w;
    QVERIFY(w.Show());
    QSlider* slider = PopUp(*w.button);
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(CurrentButton(*w.button), Qt::LeftButton);
    QTRY_VERIFY(slider->hasFocus());
    QTest::mouseMove(slider);
    QTRY_VERIFY(slider->underMouse());

    // The check after 2 s finds the mouse over the pop-up and looks again later.
    QTest::qWait(2300);
    QVERIFY(slider->isVisible());

    QTest::mouseMove(w.field);
    QTRY_VERIFY(!slider->underMouse());
    QTRY_VERIFY_WITH_TIMEOUT(!slider->isVisible(), 3000);
    // Closed by the second check, not the first (coarse timers may be 5% early).
    QVERIFY(clock.elapsed() >= 3500);
    QVERIFY(!CurrentButton(*w.button)->isChecked());
}

void tst_VolumeWidgets::buttonShowSlider()
{
    ButtonWindow w;
    QVERIFY(w.Show());
    QSlider* slider = PopUp(*w.button);

    w.button->showSlider();
    QVERIFY(!slider->isVisible());

    QMainWindow mainWindow;
    w.button->setMainWindow(&mainWindow);
    w.button->showSlider();
    QVERIFY(slider->isVisible());
    QCOMPARE(
        slider->windowFlags() & (Qt::SplashScreen | Qt::WindowStaysOnTopHint), Qt::SplashScreen);
    const QPoint corner = w.button->mapToGlobal(QPoint(0, 0));
    QCOMPARE(slider->pos(), QPoint(corner.x(), corner.y() - 120));
    QVERIFY(!CurrentButton(*w.button)->isChecked());
    QVERIFY(!w.button->findChild<QTimer*>()->isActive());

    w.button->showSlider();
    QVERIFY(!slider->isVisible());
}

QTEST_MAIN(tst_VolumeWidgets)
#include "tst_volumewidgets.moc"
