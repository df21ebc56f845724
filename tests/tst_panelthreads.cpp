#include "Gui/Reelkit/PlaybackControlPanelLogic.h"
#include "Gui/Reelkit/TimeEdit.h"
#include "Gui/Reelkit/TimelineSlider.h"
#include "host/StateWidget.h"

#include <QHBoxLayout>
#include <QThread>
#include <QtTest>
#include <atomic>
#include <memory>
#include <vector>

using Tarvos::avTime;
using Tarvos::Gui::PlaybackControlPanelLogic;

namespace {

const int Threads = 4;
const int CallsPerThread = 5000;
const avTime Duration = avTime(3600) * 1000 * 1000;

// Encodes the sending thread and its call number in one value, so that the
// GUI thread can tell each thread's calls apart and check their order.
int Tag(int thread, int call)
{
    return thread * 100000 + call;
}

} // namespace

// Several player threads hammer the panel's thread-safe setters while the GUI
// thread processes events; built with ThreadSanitizer in CI as well.
class tst_PanelThreads : public QObject
{
    Q_OBJECT

private slots:
    void settersFromManyThreads();
};

void tst_PanelThreads::settersFromManyThreads()
{
    Tarvos::Gui::StateWidget panel;
    auto* layout = new QHBoxLayout(&panel);
    auto* slider = new Tarvos::Gui::TimelineSlider(&panel);
    slider->setObjectName(QStringLiteral("Progress"));
    auto* position = new Tarvos::Gui::TimeEdit(&panel);
    position->setObjectName(QStringLiteral("ProgressEdit"));
    auto* volumeControl = new QWidget(&panel);
    volumeControl->setObjectName(QStringLiteral("volumeControl"));
    layout->addWidget(slider);
    layout->addWidget(position);
    layout->addWidget(volumeControl);

    panel.show();
    PlaybackControlPanelLogic logic;
    logic.SetWidget(&panel);
    logic.SetSourceInfo("/films/a.mkv", Duration);

    // The logic passes volumes and mute states on unchanged, in delivery order.
    std::vector<std::vector<int>> volumes(Threads);
    int mutes = 0;
    connect(&logic, &PlaybackControlPanelLogic::SetVolumeSignal, this,
        [&volumes](int tag) { volumes[size_t(tag / 100000)].push_back(tag % 100000); });
    connect(&logic, &PlaybackControlPanelLogic::SetMutedSignal, this, [&mutes] { ++mutes; });

    std::atomic<int> running { Threads };
    std::vector<std::unique_ptr<QThread>> players;
    for (int t = 0; t < Threads; ++t) {
        players.emplace_back(QThread::create([&logic, &running, t] {
            for (int i = 0; i < CallsPerThread; ++i) {
                logic.SetPosition(avTime(Tag(t, i)) * 1000);
                logic.SetAudioVolume(Tag(t, i));
                if (i % 100 == 0) {
                    logic.MuteAudio(i % 200 == 0);
                    logic.SetDuration(Duration);
                    logic.SetSourceInfo("/films/a.mkv", Duration);
                }
            }
            --running;
        }));
        players.back()->start();
    }
    // The GUI thread works through the queue while the players still send.
    while (running > 0)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    for (const auto& player : players)
        QVERIFY(player->wait(30000));
    QCoreApplication::processEvents();

    for (int t = 0; t < Threads; ++t) {
        QCOMPARE(int(volumes[size_t(t)].size()), CallsPerThread);
        for (int i = 0; i < CallsPerThread; ++i)
            QCOMPARE(volumes[size_t(t)][size_t(i)], i);
    }
    QCOMPARE(mutes, Threads * CallsPerThread / 100);

    // One last report from a player thread: the panel shows it.
    const avTime last = avTime(1234) * 1000 * 1000;
    std::unique_ptr<QThread> finisher(QThread::create([&logic, last] { logic.SetPosition(last); }));
    finisher->start();
    QVERIFY(finisher->wait(10000));
    QTRY_COMPARE(slider->value(), slider->time2position(last));
    QCOMPARE(position->time(), QTime(0, 20, 34));
}

QTEST_MAIN(tst_PanelThreads)
#include "tst_panelthreads.moc"
