#define QTEST_QPA_MOUSE_HANDLING
#include "Gui/Reelkit/PlaybackControlPanelLogic.h"
#include "Gui/Reelkit/TimeEdit.h"
#include "Gui/Reelkit/TimelineSlider.h"
#include "PanelTestSupport.h"

#include <QCheckBox>
#include <QPushButton>
#include <QtTest>
#include <functional>

using Tarvos::avTime;
using Tarvos::Gui::TimeEdit;
using Tarvos::Gui::TimelineSlider;
using Logic = Tarvos::Gui::PlaybackControlPanelLogic;

namespace {

struct ControlRow
{
    const char* name;
    int checkState; // -1: a button, clicked
    const char* call;
};

struct SightRow
{
    std::function<void(QWidget*)> leave, back;
};

struct TimeRow
{
    qint64 duration;
    qint64 position;
    QTime total;
    int sliderMaximum;
    QStringList enabled;
};

// A host's panel that clicks every button while giving up its state, and
// restores a check box when taking one.
class BusyStateWidget : public RecordingStateWidget
{
public:
    QMap<QString, QVariant> GetState() override
    {
        for (QAbstractButton* button : findChildren<QAbstractButton*>())
            button->click();
        return RecordingStateWidget::GetState();
    }
    void SetState(const QMap<QString, QVariant>& state) override
    {
        RecordingStateWidget::SetState(state);
        findChild<QCheckBox*>("Repeat")->setChecked(true);
    }
};

// A volume control of the host's own making, bound by its slot names alone;
// it records what the logic tells it.
class VolumeProbe : public QWidget
{
    Q_OBJECT
public:
    using QWidget::QWidget;
    QStringList calls;
public slots:
    void SetVolume(int volume) { calls << QStringLiteral("SetVolume(%1)").arg(volume); }
    void Mute(bool mute) { calls << QStringLiteral("Mute(%1)").arg(mute); }
signals:
    void VolumeChanged(int volume);
    void Muted(bool muted);
};

} // namespace

Q_DECLARE_METATYPE(ControlRow)
Q_DECLARE_METATYPE(TimeRow)
Q_DECLARE_METATYPE(SightRow)

class tst_PanelLogic : public QObject
{
    Q_OBJECT

    RecordingStateWidget* panel = nullptr;
    Logic* logic = nullptr;
    RecordingListener listener;

    template <class T = QWidget> T* Control(const char* name, QWidget* in = nullptr) const
    {
        return (in ? in : panel)->findChild<T*>(QString::fromLatin1(name));
    }
    void OpenSource(avTime duration)
    {
        logic->SetSourceInfo("/films/a.mkv", duration);
        logic->OnFile();
    }
    QStringList Enabled() const
    {
        QStringList names;
        for (const char* name : { "PlayPause", "Stop", "NextFrame", "PrevFrame", "Fullscreen",
                 "Progress", "volumeControl" })
            if (Control(name)->isEnabled())
                names << name;
        return names;
    }

private slots:
    void init()
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

    void cleanup()
    {
        delete logic;
        delete panel;
    }

    void controls_data()
    {
        QTest::addColumn<ControlRow>("row");
        // "ToEnd" and "ToBegin" step through files, not to the ends of one.
        for (const ControlRow& row :
            { ControlRow { "PlayPause", -1, "OnButtonClick(0x1)" },
                { "Stop", -1, "OnButtonClick(0x2)" }, { "ToEnd", -1, "OnButtonClick(0x10)" },
                { "ToBegin", -1, "OnButtonClick(0x20)" }, { "NextFrame", -1, "OnButtonClick(0x4)" },
                { "PrevFrame", -1, "OnButtonClick(0x8)" },
                { "Effects", -1, "OnButtonClick(0x1000)" },
                { "OnPauseClicked", -1, "OnButtonClick(0x1)" },
                { "Shuffle", Qt::Checked, "OnCheckboxSwitch(0x200000,true)" },
                { "Repeat", Qt::Checked, "OnCheckboxSwitch(0x400000,true)" },
                { "Playlist", Qt::Unchecked, "OnCheckboxSwitch(0x800000,false)" },
                { "Repeat", Qt::PartiallyChecked, "OnCheckboxSwitch(0x400000,false)" } })
            QTest::addRow("%s %d", row.name, row.checkState) << row;
    }

    void controls()
    {
        QFETCH(ControlRow, row);
        OpenSource(10000000);
        logic->OnPlay();
        logic->SetPosition(5000000);
        logic->SetPlaylistRewinds(true, true);
        listener.calls.clear();
        if (QByteArray(row.name) == "OnPauseClicked") {
            QMetaObject::invokeMethod(logic, "OnPauseClicked");
        } else if (row.checkState < 0) {
            QTest::mouseClick(Control<QPushButton>(row.name), Qt::LeftButton);
        } else {
            auto* box = Control<QCheckBox>(row.name);
            box->setTristate(true);
            box->setCheckState(Qt::CheckState(row.checkState));
        }
        QCOMPARE(listener.TakeCalls(), QStringList { row.call });
    }

    void times_data()
    {
        QTest::addColumn<TimeRow>("row");
        const QStringList running { "PlayPause", "NextFrame", "Fullscreen", "Progress",
            "volumeControl" };
        // The total shows one millisecond more, so that "zero" is never a whole time.
        QTest::newRow("zero") << TimeRow { 0, 0, QTime(0, 0, 0, 1), 0, { "Fullscreen" } };
        // Beyond the slider's 32-bit positions the range saturates; the field wraps.
        QTest::newRow("25 hours wrap") << TimeRow { 90000000000, 0, QTime(1, 0, 0, 1),
            std::numeric_limits<int>::max(), running };
        QTest::newRow("truncated to ms") << TimeRow { 1999, 0, QTime(0, 0, 0, 2), 199, running };
        QTest::newRow("at the end") << TimeRow { 600000000, 600000000, QTime(0, 10, 0, 1), 60000000,
            { "PlayPause", "PrevFrame", "Fullscreen", "Progress", "volumeControl" } };
    }

    void times()
    {
        QFETCH(TimeRow, row);
        OpenSource(row.duration);
        logic->SetPosition(1000);
        logic->SetPosition(row.position);
        auto* progress = Control<TimeEdit>("ProgressEdit");
        QCOMPARE(progress->time(), QTime(0, 0).addMSecs(row.position / 1000));
        QCOMPARE(Control<TimeEdit>("TotalEdit")->time(), row.total);
        QCOMPARE(progress->maximumTime(), row.total);
        auto* slider = Control<TimelineSlider>("Progress");
        QCOMPARE(slider->maximum(), row.sliderMaximum);
        QCOMPARE(slider->value(), int(row.position / 10));
        QCOMPARE(Enabled().join(' '), row.enabled.join(' '));
        QVERIFY(listener.calls.isEmpty());
    }

    void positionWaitsOutOfSight_data()
    {
        QTest::addColumn<SightRow>("row");
        QTest::newRow("hidden") << SightRow { &QWidget::hide, &QWidget::show };
        QTest::newRow("minimised") << SightRow { &QWidget::showMinimized, &QWidget::showNormal };
    }

    void positionWaitsOutOfSight()
    {
        QFETCH(SightRow, row);
        OpenSource(600000000);
        auto* slider = Control<TimelineSlider>("Progress");
        row.leave(panel);
        logic->SetPosition(20000000);
        logic->SetPosition(30000000);
        QCOMPARE(slider->value(), 0);
        // Shown again, the panel shows the latest report at once.
        row.back(panel);
        QCOMPARE(slider->value(), 3000000);
        QVERIFY(Control("PrevFrame")->isEnabled());
    }

    void ownSetValueNestsOnceAndDoesNotSeek()
    {
        OpenSource(7200000000);
        QSignalSpy seek(logic, &Logic::Seek);
        auto* slider = Control<TimelineSlider>("Progress");
        // 1234.567 ms: the slider reports 1234 ms back, the logic stores 1234000 µs
        // and sets the slider again (123400) from inside the first change, so the
        // inner value is relayed before the outer one.
        logic->SetPosition(1234567);
        QCOMPARE(slider->value(), 123400);
        QCOMPARE(seek.count(), 2);
        QCOMPARE(seek.at(0).at(0).toInt(), 123400);
        QCOMPARE(seek.at(1).at(0).toInt(), 123456);
        QVERIFY(listener.calls.isEmpty());
    }

    void dragSeeksAndHoldsOffReports()
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
        // The player's report during the drag is dropped.
        logic->SetPosition(300000000);
        QCOMPARE(slider->value(), firstPlace);
        QTest::mouseMove(slider, grip + QPoint(60, 0));
        const int dragged = slider->value();
        QTest::mouseRelease(slider, Qt::LeftButton, {}, grip + QPoint(60, 0));

        // Only seeks in between, to the places dragged over in whole milliseconds
        // (the slider reports each change more than once), the last one last.
        const QStringList calls = listener.TakeCalls();
        QCOMPARE(calls.first(), QStringLiteral("OnProgressDragStarted"));
        QCOMPARE(calls.last(), QStringLiteral("OnProgressDragFinished"));
        QCOMPARE(calls.filter("OnSeek(").size(), calls.size() - 2);
        QCOMPARE(calls.at(calls.size() - 2), QString("OnSeek(%1)").arg(dragged / 100 * 1000ll));
        logic->SetPosition(300000000);
        QCOMPARE(slider->value(), 30000000);
    }

    void statesFromCode()
    {
        auto* playPause = Control<QPushButton>("PlayPause");
        OpenSource(600000000);
        logic->OnPlay();
        QCOMPARE(playPause->property("isPlay"), QVariant(false));
        logic->OnPause();
        QCOMPARE(playPause->property("isPlay"), QVariant(true));
        logic->OnPlay();
        logic->OnStop();
        QCOMPARE(playPause->property("isPlay"), QVariant(true));

        // The check box states set from code are reported like user switches, in
        // update order; the playlist box starts checked, from the binding, silently.
        listener.calls.clear();
        logic->SetPlaylistChecked(false);
        logic->SetShuffleState(true);
        QVERIFY(Control<QCheckBox>("Shuffle")->isChecked());
        QCOMPARE(listener.TakeCalls(),
            (QStringList { "OnCheckboxSwitch(0x800000,false)", "OnCheckboxSwitch(0x800000,true)",
                "OnCheckboxSwitch(0x200000,true)" }));
        logic->SetPlaylistRewinds(false, true);
        QVERIFY(!Control("ToEnd")->isEnabled());
        QVERIFY(Control("ToBegin")->isEnabled());

        // The fullscreen switch comes first; re-sending the volume state to the control
        // then brings its reports back (a mute report always, a volume only on change).
        auto* fullscreen = Control<QPushButton>("Fullscreen");
        QTest::mouseClick(fullscreen, Qt::LeftButton);
        QTest::mouseClick(fullscreen, Qt::LeftButton);
        QCOMPARE(listener.TakeCalls(),
            (QStringList { "OnCheckboxSwitch(0x800,true)", "OnVolumeChanged(0)",
                "OnMuteChanged(false)", "OnCheckboxSwitch(0x800,false)", "OnMuteChanged(false)" }));
    }

    void reboundVolumeControlIsCurrent()
    {
        // The player's volume changes while the other panel is bound: the first
        // panel's control shows it when bound again, and hears each change once.
        RecordingStateWidget windowed;
        RecordingStateWidget fullscreen;
        auto* windowedVolume = new VolumeProbe(&windowed);
        auto* fullscreenVolume = new VolumeProbe(&fullscreen);
        for (VolumeProbe* probe : { windowedVolume, fullscreenVolume })
            probe->setObjectName(Logic::VolumeControlName);
        logic->SetWidget(&windowed);
        logic->SetWidget(&fullscreen);
        logic->SetAudioVolume(30);
        logic->MuteAudio(true);
        windowedVolume->calls.clear();
        logic->SetWidget(&windowed);
        logic->SetAudioVolume(40);
        QCOMPARE(
            windowedVolume->calls, QStringList({ "SetVolume(30)", "Mute(1)", "SetVolume(40)" }));
    }

    void rebindingHandsStateOver()
    {
        BusyStateWidget b;
        BuildFullPanel(&b);
        panel->stateToGive = { { "from", "A" } };
        b.stateToGive = { { "from", "B" } };
        logic->SetWidget(&b);
        // The logic's own state goes in silently; what SetState restores runs
        // through the new connections.
        QVERIFY(Control<QCheckBox>("Playlist", &b)->isChecked());
        QCOMPARE(listener.TakeCalls(), QStringList { "OnCheckboxSwitch(0x400000,true)" });

        // B clicks all its buttons while it gives up its state: nobody hears them.
        logic->SetSourceInfo("/films/a.mkv", 60000000);
        listener.calls.clear();
        logic->SetWidget(panel);
        QVERIFY(listener.calls.isEmpty());
        // The first binding hands nothing over.
        QCOMPARE(panel->receivedStates, (QList<QVariantMap> { {}, { { "from", "B" } } }));
        QCOMPARE(b.receivedStates, (QList<QVariantMap> { { { "from", "A" } } }));
        QCOMPARE(b.getStateCalls, 1);

        // B's controls are bound no more: the logic drives only A's.
        logic->SetPosition(30000000);
        QCOMPARE(Control<TimelineSlider>("Progress")->value(), 3000000);
        QCOMPARE(Control<TimelineSlider>("Progress", &b)->value(), 0);
    }
};

QTEST_MAIN(tst_PanelLogic)
#include "tst_panellogic.moc"
