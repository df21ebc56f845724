#include "Gui/Reelkit/PlaybackControlPanelLogic.h"
#include "Gui/Reelkit/TimeEdit.h"
#include "Gui/Reelkit/TimelineSlider.h"
#include "PanelTestSupport.h"

#include <QCheckBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

using Tarvos::Gui::PlaybackControlPanelLogic;
using Tarvos::Gui::TimelineSlider;

class tst_PanelBinding : public QObject
{
    Q_OBJECT

private slots:
    void partialPanelWiresWhatItHas();
    void rebindingHandsStateOver();
    void firstBinding();
    void unbindDropsState();
};

void tst_PanelBinding::partialPanelWiresWhatItHas()
{
    RecordingStateWidget panel;
    auto* layout = new QVBoxLayout(&panel);
    auto* playPause = new QPushButton(&panel);
    playPause->setObjectName("PlayPause");
    // Found two levels down.
    auto* stop = new QPushButton(new QWidget(new QWidget(&panel)));
    stop->setObjectName("Stop");
    // Right names, wrong types: not controls, and no shadow over the real ones.
    auto* plainSlider = new QSlider(&panel);
    plainSlider->setObjectName("Progress");
    auto* notAButton = new QWidget(&panel);
    notAButton->setObjectName("NextFrame");
    notAButton->setEnabled(false);
    auto* slider = new TimelineSlider(&panel);
    slider->setObjectName("Progress");
    layout->addWidget(playPause);
    layout->addWidget(stop->parentWidget()->parentWidget());
    layout->addWidget(slider);
    panel.show();

    RecordingListener listener;
    PlaybackControlPanelLogic logic;
    logic.SetListener(&listener);
    logic.SetWidget(&panel);
    QVERIFY(!playPause->isEnabled()); // nothing to play yet

    logic.SetSourceInfo("/films/a.mkv", 60000000);
    logic.OnFile();
    logic.OnPlay();
    logic.SetPosition(30000000);
    logic.OnFullscreenSwitched();
    logic.SetShuffleState(true);
    logic.MuteAudio(true);
    QCOMPARE(slider->maximum(), 6000000);
    QCOMPARE(slider->value(), 3000000);
    QCOMPARE(plainSlider->maximum(), 99);
    QVERIFY(!notAButton->isEnabled());
    QTest::mouseClick(playPause, Qt::LeftButton);
    QTest::mouseClick(stop, Qt::LeftButton);
    QCOMPARE(listener.TakeCalls(),
        (QStringList {
            "OnCheckboxSwitch(0x800,true)", "OnButtonClick(0x1)", "OnButtonClick(0x2)" }));
}

void tst_PanelBinding::rebindingHandsStateOver()
{
    RecordingStateWidget a;
    RecordingStateWidget b;
    BuildFullPanel(&a);
    BuildFullPanel(&b);
    a.stateToGive = { { "from", "A" } };
    b.stateToGive = { { "from", "B" } };
    a.show();
    b.show();

    RecordingListener listener;
    PlaybackControlPanelLogic logic;
    logic.SetListener(&listener);
    logic.SetSourceInfo("/films/a.mkv", 60000000);
    logic.SetWidget(&a);
    logic.SetWidget(&b);
    logic.SetWidget(&a);

    QCOMPARE(a.receivedStates.size(), 2);
    QVERIFY(a.receivedStates.at(0).isEmpty()); // the first binding has nothing to hand over
    QCOMPARE(a.receivedStates.at(1).value("from").toString(), QStringLiteral("B"));
    QCOMPARE(b.receivedStates.size(), 1);
    QCOMPARE(b.receivedStates.at(0).value("from").toString(), QStringLiteral("A"));
    QCOMPARE(b.getStateCalls, 1);

    listener.calls.clear();
    QTest::mouseClick(a.findChild<QPushButton*>("Stop"), Qt::LeftButton);
    QTest::mouseClick(a.findChild<QPushButton*>("Effects"), Qt::LeftButton);
    b.findChild<QPushButton*>("Stop")->click();
    b.findChild<QCheckBox*>("Shuffle")->click();
    QCOMPARE(listener.TakeCalls(), (QStringList { "OnButtonClick(0x2)", "OnButtonClick(0x1000)" }));

    // B's controls are bound no more: the logic drives only A's.
    logic.SetPosition(30000000);
    QCOMPARE(a.findChild<TimelineSlider*>("Progress")->value(), 3000000);
    QCOMPARE(b.findChild<TimelineSlider*>("Progress")->value(), 0);
}

namespace {

// Restores a check box in SetState, as a host's panel might.
class RestoringStateWidget : public RecordingStateWidget
{
public:
    void SetState(const QMap<QString, QVariant>& state) override
    {
        RecordingStateWidget::SetState(state);
        findChild<QCheckBox*>("Repeat")->setChecked(true);
    }
};

} // namespace

void tst_PanelBinding::firstBinding()
{
    RestoringStateWidget panel;
    BuildFullPanel(&panel);
    auto* stranger = new QPushButton(&panel);
    stranger->setObjectName("Unknown");
    RecordingListener listener;
    PlaybackControlPanelLogic logic;
    logic.SetListener(&listener);
    logic.SetWidget(&panel);
    // The logic's own state goes in silently; what SetState restores runs
    // through the new connections.
    QVERIFY(panel.findChild<QCheckBox*>("Playlist")->isChecked());
    QCOMPARE(listener.TakeCalls(), QStringList { "OnCheckboxSwitch(0x400000,true)" });
    // Effects is enabled from the start; the others wait for a source.
    QVERIFY(panel.findChild<QWidget*>("Effects")->isEnabled());
    QVERIFY(!panel.findChild<QWidget*>("PlayPause")->isEnabled());
    QVERIFY(!panel.findChild<QWidget*>("NextFrame")->isEnabled());
    for (const char* name : { "PlayPause", "Progress", "ProgressEdit", "TotalEdit", "volumeControl",
             "inputViewMode", "Shuffle" })
        QVERIFY2(panel.findChild<QWidget*>(name)->testAttribute(Qt::WA_LayoutUsesWidgetRect), name);
    QVERIFY(!stranger->testAttribute(Qt::WA_LayoutUsesWidgetRect));
}

void tst_PanelBinding::unbindDropsState()
{
    RecordingStateWidget panel;
    BuildFullPanel(&panel);
    panel.stateToGive = { { "kept", 1 } };
    RecordingListener listener;
    PlaybackControlPanelLogic logic;
    logic.SetListener(&listener);
    logic.SetWidget(&panel);
    logic.SetWidget(nullptr);
    QCOMPARE(panel.getStateCalls, 1);
    QCOMPARE(panel.receivedStates.size(), 1);
    panel.findChild<QPushButton*>("PlayPause")->click();
    logic.SetSourceInfo("/films/a.mkv", 60000000);
    QVERIFY(listener.calls.isEmpty());
    QVERIFY(!panel.findChild<QWidget*>("PlayPause")->isEnabled());
}

QTEST_MAIN(tst_PanelBinding)
#include "tst_panelbinding.moc"
