#define QTEST_QPA_MOUSE_HANDLING
#include "Gui/Reelkit/PlaybackControlPanelLogic.h"
#include "Gui/Reelkit/TimeEdit.h"
#include "Gui/Reelkit/TimelineSlider.h"
#include "PanelTestSupport.h"

#include <QCheckBox>
#include <QPushButton>
#include <QtTest>
#include <thread>

using Tarvos::avTime;
using Tarvos::Gui::PlaybackControlPanelLogic;
using Tarvos::Gui::TimeEdit;
using Tarvos::Gui::TimelineSlider;
using Logic = PlaybackControlPanelLogic;

class tst_PanelLogic : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void buttonClicks_data();
    void buttonClicks();
    void checkBoxSwitches_data();
    void checkBoxSwitches();
    void noListenerDropsEverything();
    void duration_data();
    void duration();
    void position_data();
    void position();
    void ownSetValueNestsOnceAndDoesNotSeek();
    void dragSeeksAndHoldsOffReports();
    void positionChangedOutsideSourceIsIgnored();
    void progressEdit();
    void emptySourceEmptiesPanel();
    void fileEnablesByContent_data();
    void fileEnablesByContent();
    void playPauseProperty();
    void checkboxStatesAndPlaylistChecked();
    void fullscreenToggles();
    void settersFromAnotherThreadAreQueued();

private:
    RecordingStateWidget* panel = nullptr;
    Logic* logic = nullptr;
    RecordingListener listener;

    template <class T> T* Control(const char* name) const
    {
        return panel->findChild<T*>(QString::fromLatin1(name));
    }
    void OpenSource(avTime duration)
    {
        logic->SetSourceInfo("/films/a.mkv", duration);
        logic->OnFile();
    }
};

void tst_PanelLogic::init()
{
    panel = new RecordingStateWidget;
    BuildFullPanel(panel);
    panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(panel));
    logic = new Logic;
    logic->SetWidget(panel);
    logic->SetListener(&listener);
    listener.calls.clear();
}

void tst_PanelLogic::cleanup()
{
    delete logic;
    delete panel;
    logic = nullptr;
    panel = nullptr;
}

void tst_PanelLogic::buttonClicks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("call");
    // "ToEnd" and "ToBegin" step through files, not to the ends of one.
    const char* const rows[][2] = { { "PlayPause", "OnButtonClick(0x1)" },
        { "Stop", "OnButtonClick(0x2)" }, { "ToEnd", "OnButtonClick(0x10)" },
        { "ToBegin", "OnButtonClick(0x20)" }, { "NextFrame", "OnButtonClick(0x4)" },
        { "PrevFrame", "OnButtonClick(0x8)" }, { "Effects", "OnButtonClick(0x1000)" } };
    for (const auto& row : rows)
        QTest::newRow(row[0]) << row[0] << row[1];
}

void tst_PanelLogic::buttonClicks()
{
    QFETCH(QString, name);
    QFETCH(QString, call);
    OpenSource(10000000);
    logic->OnPlay();
    logic->SetPosition(5000000);
    logic->SetPlaylistRewinds(true, true);
    listener.calls.clear();
    auto* button = panel->findChild<QPushButton*>(name);
    QVERIFY(button && button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(listener.TakeCalls(), QStringList { call });
}

void tst_PanelLogic::checkBoxSwitches_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("call");
    QTest::newRow("Shuffle on") << "Shuffle" << int(Qt::Checked)
                                << "OnCheckboxSwitch(0x200000,true)";
    QTest::newRow("Repeat on") << "Repeat" << int(Qt::Checked) << "OnCheckboxSwitch(0x400000,true)";
    QTest::newRow("Playlist off") << "Playlist" << int(Qt::Unchecked)
                                  << "OnCheckboxSwitch(0x800000,false)";
    QTest::newRow("partial is off")
        << "Shuffle" << int(Qt::PartiallyChecked) << "OnCheckboxSwitch(0x200000,false)";
}

void tst_PanelLogic::checkBoxSwitches()
{
    QFETCH(QString, name);
    QFETCH(int, state);
    QFETCH(QString, call);
    auto* box = panel->findChild<QCheckBox*>(name);
    box->setTristate(true);
    box->setCheckState(Qt::CheckState(state));
    QCOMPARE(listener.TakeCalls(), QStringList { call });
}

void tst_PanelLogic::noListenerDropsEverything()
{
    logic->SetListener(nullptr);
    OpenSource(10000000);
    for (QAbstractButton* button : panel->findChildren<QAbstractButton*>())
        QTest::mouseClick(button, Qt::LeftButton);
    logic->OnStartDragProgress();
    logic->OnFullscreenSwitched();
    QVERIFY(listener.calls.isEmpty());
}

void tst_PanelLogic::duration_data()
{
    QTest::addColumn<qint64>("duration");
    QTest::addColumn<QTime>("total");
    QTest::addColumn<int>("sliderMaximum");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("zero") << 0ll << QTime(0, 0, 0, 1) << 0 << false;
    // Beyond the slider's 32-bit positions the range saturates.
    QTest::newRow("25 hours wrap")
        << 90000000000ll << QTime(1, 0, 0, 1) << std::numeric_limits<int>::max() << true;
    QTest::newRow("truncated to ms") << 1999ll << QTime(0, 0, 0, 2) << 199 << true;
}

void tst_PanelLogic::duration()
{
    QFETCH(qint64, duration);
    QFETCH(QTime, total);
    QFETCH(int, sliderMaximum);
    QFETCH(bool, enabled);
    logic->SetSourceInfo("/films/a.mkv", duration);
    QCOMPARE(Control<TimeEdit>("TotalEdit")->time(), total);
    QCOMPARE(Control<TimeEdit>("ProgressEdit")->maximumTime(), total);
    QCOMPARE(Control<TimelineSlider>("Progress")->maximum(), sliderMaximum);
    for (const char* name : { "PlayPause", "Stop", "NextFrame", "PrevFrame", "volumeControl" })
        QVERIFY2(Control<QWidget>(name)->isEnabled() == enabled, name);
}

void tst_PanelLogic::position_data()
{
    QTest::addColumn<qint64>("position");
    QTest::addColumn<QTime>("shown");
    QTest::addColumn<bool>("prevEnabled");
    QTest::addColumn<bool>("nextEnabled");
    QTest::newRow("start") << 0ll << QTime(0, 0, 0) << false << true;
    QTest::newRow("end") << 600000000ll << QTime(0, 10, 0) << true << false;
}

void tst_PanelLogic::position()
{
    QFETCH(qint64, position);
    QFETCH(QTime, shown);
    QFETCH(bool, prevEnabled);
    QFETCH(bool, nextEnabled);
    OpenSource(600000000);
    logic->SetPosition(1000000);
    logic->SetPosition(position);
    QCOMPARE(Control<TimeEdit>("ProgressEdit")->time(), shown);
    QCOMPARE(Control<TimelineSlider>("Progress")->value(), int(position / 10));
    QCOMPARE(Control<QWidget>("PrevFrame")->isEnabled(), prevEnabled);
    QCOMPARE(Control<QWidget>("NextFrame")->isEnabled(), nextEnabled);
    QVERIFY(listener.calls.isEmpty());
}

void tst_PanelLogic::ownSetValueNestsOnceAndDoesNotSeek()
{
    OpenSource(7200000000);
    QSignalSpy seek(logic, &Logic::Seek);
    auto* slider = Control<TimelineSlider>("Progress");
    QSignalSpy timeline(slider, &TimelineSlider::TimelineValueChanged);
    // 1234.567 ms: the slider reports 1234 ms back, the logic stores 1234000 µs
    // and sets the slider again (123400) from inside the first change, so the
    // inner value is relayed before the outer one.
    logic->SetPosition(1234567);
    QCOMPARE(slider->value(), 123400);
    QCOMPARE(seek.count(), 2);
    QCOMPARE(seek.at(0).at(0).toInt(), 123400);
    QCOMPARE(seek.at(1).at(0).toInt(), 123456);
    QCOMPARE(timeline.count(), 2);
    QCOMPARE(Control<TimeEdit>("ProgressEdit")->time(), QTime(0, 0, 1, 234));
    QVERIFY(listener.calls.isEmpty());
}

void tst_PanelLogic::dragSeeksAndHoldsOffReports()
{
    OpenSource(600000000);
    logic->SetPosition(1000000);
    auto* slider = Control<TimelineSlider>("Progress");
    QWidget* thumb = slider->defaultThumb();
    const QPoint grip = thumb->geometry().center();
    // The drag starts with the first move of the pressed thumb.
    QTest::mousePress(thumb, Qt::LeftButton, {}, thumb->rect().center());
    QTest::mouseMove(slider, grip + QPoint(30, 0));
    const int firstPlace = slider->value();
    QVERIFY(firstPlace > 100000);
    // The player's report during the drag is dropped.
    logic->SetPosition(300000000);
    QCOMPARE(slider->value(), firstPlace);
    QTest::mouseMove(slider, grip + QPoint(60, 0));
    const int dragged = slider->value();
    QVERIFY(dragged > firstPlace);
    QTest::mouseRelease(slider, Qt::LeftButton, {}, grip + QPoint(60, 0));

    const QStringList calls = listener.TakeCalls();
    QCOMPARE(calls.first(), QStringLiteral("OnProgressDragStarted"));
    QCOMPARE(calls.last(), QStringLiteral("OnProgressDragFinished"));
    // Only seeks in between, to the places dragged over in whole milliseconds
    // (the slider reports each change more than once), the last one last.
    const QStringList seeks = calls.mid(1, calls.size() - 2);
    QVERIFY(!seeks.isEmpty());
    for (const QString& seek : seeks)
        QVERIFY2(seek.startsWith(QLatin1String("OnSeek(")), qPrintable(seek));
    QCOMPARE(seeks.last(), QStringLiteral("OnSeek(%1)").arg(qint64(dragged / 100) * 1000));
    logic->SetPosition(300000000);
    QCOMPARE(slider->value(), 30000000);
}

void tst_PanelLogic::positionChangedOutsideSourceIsIgnored()
{
    // Raw slider positions, not times.
    QAbstractSlider* slider = Control<TimelineSlider>("Progress");
    // No source: the slider moves, the panel does not follow.
    slider->setRange(0, 600000000);
    logic->OnStartDragProgress();
    slider->setValue(5000);
    QCOMPARE(listener.TakeCalls(), QStringList { "OnProgressDragStarted" });
    QCOMPARE(Control<TimeEdit>("ProgressEdit")->time(), QTime(0, 0, 0));

    // The bound compares milliseconds with the microsecond duration as numbers.
    logic->SetSourceInfo("/films/a.mkv", 600000);
    slider->setRange(0, 600000000);
    slider->setValue(60000000);
    QCOMPARE(listener.TakeCalls(), QStringList {});
    slider->setValue(50000000);
    QCOMPARE(listener.TakeCalls(), QStringList { "OnSeek(500000000)" });
}

void tst_PanelLogic::progressEdit()
{
    OpenSource(600000000);
    auto* edit = Control<TimeEdit>("ProgressEdit");
    QApplication::setActiveWindow(panel);
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    // The user's text stays while the field has the focus; the slider follows.
    logic->SetPosition(90250000);
    QCOMPARE(edit->time(), QTime(0, 0, 0));
    QCOMPARE(Control<TimelineSlider>("Progress")->value(), 9025000);
    edit->setTime(QTime(0, 1, 30, 250));
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(listener.TakeCalls(), QStringList { "OnSeek(90250000)" });
}

void tst_PanelLogic::emptySourceEmptiesPanel()
{
    OpenSource(600000000);
    logic->OnPlay();
    logic->SetPosition(90000000);
    logic->SetSourceInfo(std::string(), 12345);
    for (const char* name : { "Stop", "PrevFrame", "NextFrame", "Progress", "Fullscreen",
             "volumeControl", "PlayPause" })
        QVERIFY2(!Control<QWidget>(name)->isEnabled(), name);
    QCOMPARE(Control<QWidget>("PlayPause")->property("isPlay"), QVariant(true));
    // Stored, but not shown without a source.
    logic->SetPosition(30000000);
    QCOMPARE(Control<TimelineSlider>("Progress")->value(), 0);
}

void tst_PanelLogic::fileEnablesByContent_data()
{
    QTest::addColumn<qint64>("duration");
    QTest::addColumn<bool>("video");
    QTest::addColumn<bool>("audio");
    QTest::addColumn<QStringList>("enabled");
    QTest::newRow("audio only, no duration") << 0ll << false << true << QStringList {};
    QTest::newRow("video without audio")
        << 600000000ll << true << false << QStringList { "Fullscreen", "NextFrame", "Progress" };
}

void tst_PanelLogic::fileEnablesByContent()
{
    QFETCH(qint64, duration);
    QFETCH(bool, video);
    QFETCH(bool, audio);
    QFETCH(QStringList, enabled);
    logic->SetSourceInfo("/films/a.mkv", duration);
    logic->OnFile(video, audio);
    for (const char* name :
        { "Fullscreen", "volumeControl", "NextFrame", "Progress", "Stop", "PrevFrame" })
        QVERIFY2(
            Control<QWidget>(name)->isEnabled() == enabled.contains(QLatin1String(name)), name);
}

void tst_PanelLogic::playPauseProperty()
{
    auto* button = Control<QPushButton>("PlayPause");
    panel->setStyleSheet(QStringLiteral("QPushButton[isPlay=\"true\"] { color: #00ff00; }"
                                        "QPushButton[isPlay=\"false\"] { color: #ff0000; }"));
    OpenSource(600000000);
    logic->OnPlay();
    QCOMPARE(button->property("isPlay"), QVariant(false));
    QCOMPARE(button->palette().color(QPalette::ButtonText), QColor(0xff, 0, 0));
    logic->OnPause();
    QCOMPARE(button->palette().color(QPalette::ButtonText), QColor(0, 0xff, 0));
    logic->OnStop();
    QCOMPARE(button->property("isPlay"), QVariant(true));
    QVERIFY(!Control<QWidget>("Stop")->isEnabled());
}

void tst_PanelLogic::checkboxStatesAndPlaylistChecked()
{
    auto* playlist = Control<QCheckBox>("Playlist");
    QVERIFY(playlist->isChecked()); // from the binding, silently
    logic->SetPlaylistChecked(false);
    QVERIFY(!playlist->isChecked());
    logic->SetShuffleState(true);
    QVERIFY(playlist->isChecked());
    QVERIFY(Control<QCheckBox>("Shuffle")->isChecked());
    // The states set from code are reported like user switches, in update order.
    QCOMPARE(listener.TakeCalls(),
        (QStringList { "OnCheckboxSwitch(0x800000,false)", "OnCheckboxSwitch(0x800000,true)",
            "OnCheckboxSwitch(0x200000,true)" }));
    logic->SetPlaylistRewinds(false, true);
    QVERIFY(!Control<QWidget>("ToEnd")->isEnabled());
    QVERIFY(Control<QWidget>("ToBegin")->isEnabled());
}

void tst_PanelLogic::fullscreenToggles()
{
    auto* button = Control<QPushButton>("Fullscreen");
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::mouseClick(button, Qt::LeftButton);
    // The switch comes first; re-sending the volume state to the control then
    // brings its reports back (a mute report always, a volume only on change).
    QCOMPARE(listener.TakeCalls(),
        (QStringList { "OnCheckboxSwitch(0x800,true)", "OnVolumeChanged(0)", "OnMuteChanged(false)",
            "OnCheckboxSwitch(0x800,false)", "OnMuteChanged(false)" }));
    logic->SetFullscreenChecked(true);
    QVERIFY(button->isChecked());
    QVERIFY(listener.calls.isEmpty());
}

void tst_PanelLogic::settersFromAnotherThreadAreQueued()
{
    std::thread player([this] {
        logic->SetSourceInfo("/films/a.mkv", 600000000);
        logic->SetPosition(20000000);
        logic->SetAudioVolume(30);
        logic->MuteAudio(true);
        logic->SetDuration(700000000);
    });
    player.join();
    // Nothing has happened yet: every call waits for the GUI thread. The
    // volume and mute states then go to the control and come back from it.
    QCOMPARE(Control<TimeEdit>("TotalEdit")->time(), QTime(0, 0, 0, 1));
    QVERIFY(listener.calls.isEmpty());

    QTRY_COMPARE(Control<TimeEdit>("TotalEdit")->time(), QTime(0, 11, 40, 1));
    QCOMPARE(Control<TimelineSlider>("Progress")->value(), 2000000);
    QCOMPARE(listener.TakeCalls(), (QStringList { "OnVolumeChanged(30)", "OnMuteChanged(true)" }));
}

QTEST_MAIN(tst_PanelLogic)
#include "tst_panellogic.moc"
