// The smallest host: a panel of named controls bound to the panel logic, and a
// listener that hears the user. With --check it clicks play itself and exits
// with 0 when the click arrived.
#include "Gui/Reelkit/IPlaybackControlPanelEventObserver.h"
#include "Gui/Reelkit/PlaybackControlPanelLogic.h"
#include "Gui/Reelkit/TimeEdit.h"
#include "Gui/Reelkit/TimelineSlider.h"
#include "Gui/Reelkit/VolumeControl.h"
#include "host/StateWidget.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <cstdio>

using namespace Tarvos::Gui;

class Listener : public IPlaybackControlPanelEventObserver
{
public:
    void OnButtonClick(unsigned int control) override { lastClick = control; }
    void OnSeek(Tarvos::avTime position) override
    {
        std::printf("seek %lld\n", (long long)position);
    }
    void OnProgressDragStarted() override {}
    void OnProgressDragFinished() override {}
    void OnCheckboxSwitch(unsigned int, bool) override {}
    void OnVolumeChanged(int) override {}
    void OnMuteChanged(bool) override {}

    unsigned int lastClick = 0;
};

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);

    StateWidget panel;
    auto* layout = new QHBoxLayout(&panel);
    auto* play = new QPushButton(QStringLiteral("Play"));
    play->setObjectName(QStringLiteral("PlayPause"));
    auto* timeline = new TimelineSlider;
    timeline->setObjectName(QStringLiteral("Progress"));
    timeline->setOrientation(Qt::Horizontal);
    auto* position = new TimeEdit;
    position->setObjectName(QStringLiteral("ProgressEdit"));
    auto* volume = new VolumeControl;
    volume->setObjectName(QStringLiteral("volumeControl"));
    for (QWidget* control : { static_cast<QWidget*>(play), static_cast<QWidget*>(timeline),
             static_cast<QWidget*>(position), static_cast<QWidget*>(volume) })
        layout->addWidget(control);

    Listener listener;
    PlaybackControlPanelLogic logic;
    logic.SetWidget(&panel);
    logic.SetListener(&listener);
    // What a player reports once a file is open and playing.
    logic.SetSourceInfo("/films/clip.mkv", 90 * 1000 * 1000);
    logic.OnFile();
    logic.OnPlay();
    logic.SetPosition(30 * 1000 * 1000);
    panel.show();

    if (app.arguments().contains(QStringLiteral("--check"))) {
        play->click();
        const bool ok = listener.lastClick == PlaybackControlPanelLogic::CtrlPlayPause
            && timeline->value() == timeline->time2position(30 * 1000 * 1000);
        std::printf("%s\n", ok ? "minimal host works" : "minimal host FAILED");
        return ok ? 0 : 1;
    }
    return app.exec();
}
