#include "GalleryStyle.h"
#include "Gui/Reelkit/IPlaybackControlPanelEventObserver.h"
#include "Gui/Reelkit/PlaybackControlPanelLogic.h"
#include "Gui/Reelkit/PlaybackControlPanelSwitcher.h"
#include "Gui/Reelkit/TimeEdit.h"
#include "Gui/Reelkit/TimelineSlider.h"
#include "Gui/Reelkit/VolumeButton.h"
#include "Gui/Reelkit/VolumeControl.h"
#include "Sections.h"
#include "SimulatedPlayer.h"
#include "host/StateWidget.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <array>

using Tarvos::avTime;
using Tarvos::Gui::PlaybackControlPanelLogic;
using Tarvos::Gui::PlaybackControlPanelSwitcher;
using Tarvos::Gui::StateWidget;

namespace {

struct Source
{
    const char* name;
    avTime duration;
};

const std::array<Source, 2> Sources = { {
    { "/films/Short clip.mkv", 95 * 1000 * 1000 },
    { "/films/Feature.mkv", avTime(5400) * 1000 * 1000 },
} };

QPushButton* AddButton(QBoxLayout* layout, const QString& name, const QString& text)
{
    auto* button = new QPushButton(text);
    button->setObjectName(name);
    button->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(button);
    return button;
}

// One panel as a host designs it: the named controls the logic binds.
void BuildPanel(StateWidget* panel, bool fullscreen)
{
    auto* layout = new QVBoxLayout(panel);
    auto* timeRow = new QHBoxLayout;
    auto* position = new Tarvos::Gui::TimeEdit;
    position->setObjectName(PlaybackControlPanelLogic::ProgressEditName);
    auto* timeline = new Tarvos::Gui::TimelineSlider;
    timeline->setObjectName(PlaybackControlPanelLogic::ProgressName);
    timeline->setOrientation(Qt::Horizontal);
    auto* total = new Tarvos::Gui::TimeEdit;
    total->setObjectName(PlaybackControlPanelLogic::TotalEditName);
    total->setReadOnly(true);
    total->setButtonSymbols(QAbstractSpinBox::NoButtons);
    const QStringList formats = { QStringLiteral("mm:ss"), QStringLiteral("HH:mm:ss") };
    for (Tarvos::Gui::TimeEdit* field : { position, total })
        field->setDisplayFormatList(formats);
    timeline->setDisplayFormatList(formats);
    timeRow->addWidget(position);
    timeRow->addWidget(timeline, 1);
    timeRow->addWidget(total);
    layout->addLayout(timeRow);

    auto* buttons = new QHBoxLayout;
    AddButton(buttons, PlaybackControlPanelLogic::PlayPauseName, QString())->setMinimumWidth(80);
    AddButton(buttons, PlaybackControlPanelLogic::StopName, QStringLiteral("■"));
    AddButton(buttons, PlaybackControlPanelLogic::ToBeginName, QStringLiteral("◀◀"));
    AddButton(buttons, PlaybackControlPanelLogic::PrevFrameName, QStringLiteral("◀|"));
    AddButton(buttons, PlaybackControlPanelLogic::NextFrameName, QStringLiteral("|▶"));
    AddButton(buttons, PlaybackControlPanelLogic::ToEndName, QStringLiteral("▶▶"));
    buttons->addSpacing(12);
    for (const QString* name : { &PlaybackControlPanelLogic::PlaylistName,
             &PlaybackControlPanelLogic::ShuffleName, &PlaybackControlPanelLogic::RepeatName }) {
        auto* box = new QCheckBox(*name);
        box->setObjectName(*name);
        buttons->addWidget(box);
    }
    buttons->addStretch();
    AddButton(buttons, PlaybackControlPanelLogic::EffectsName, QStringLiteral("Effects"));
    AddButton(buttons, PlaybackControlPanelLogic::FullscreenName,
        fullscreen ? QStringLiteral("Window") : QStringLiteral("Full screen"))
        ->setCheckable(true);
    QWidget* volume = fullscreen ? static_cast<QWidget*>(new Tarvos::Gui::VolumeButton)
                                 : new Tarvos::Gui::VolumeControl;
    volume->setObjectName(PlaybackControlPanelLogic::VolumeControlName);
    volume->setFixedWidth(fullscreen ? 60 : 180);
    buttons->addWidget(volume);
    layout->addLayout(buttons);
}

// The gallery's stand-in for a player application: answers the panel's
// listener calls by driving the simulated player and the switcher.
class GalleryHost : public QObject, public Tarvos::Gui::IPlaybackControlPanelEventObserver
{
public:
    GalleryHost(PlaybackControlPanelSwitcher* switcher, QWidget* window, QLabel* status)
        : QObject(status)
        , m_switcher(switcher)
        , m_window(window)
        , m_status(status)
        , m_player(switcher, this)
    {
        connect(
            &m_player, &SimulatedPlayer::EndReached, this, [this] { OpenSource(1); },
            Qt::QueuedConnection);
        m_switcher->SetListener(this);
        m_switcher->SetShowHideDuration(250);
        OpenSource(0);
        m_switcher->SetAudioVolume(60);
        m_player.Seek(Sources[0].duration / 3);
        Play();
    }
    ~GalleryHost() override { m_switcher->SetListener(nullptr); }

    void OnButtonClick(unsigned int control) override
    {
        switch (control) {
        case PlaybackControlPanelLogic::CtrlPlayPause:
            m_player.IsPlaying() ? Pause() : Play();
            break;
        case PlaybackControlPanelLogic::CtrlStop:
            m_player.Stop();
            m_switcher->OnStop();
            break;
        case PlaybackControlPanelLogic::CtrlNextFrame:
        case PlaybackControlPanelLogic::CtrlPrevFrame:
            m_player.Step(control == PlaybackControlPanelLogic::CtrlNextFrame ? 1 : -1);
            m_switcher->OnPause();
            break;
        case PlaybackControlPanelLogic::CtrlNextFile:
            OpenSource(m_source + 1);
            break;
        case PlaybackControlPanelLogic::CtrlPrevFile:
            OpenSource(m_source - 1);
            break;
        default:
            Say(QStringLiteral("Button 0x%1").arg(control, 0, 16));
        }
    }
    void OnSeek(avTime position) override
    {
        m_player.Seek(position);
        Say(QStringLiteral("Seek to %1 ms").arg(position / 1000));
    }
    void OnProgressDragStarted() override { Say(QStringLiteral("Dragging the timeline")); }
    void OnProgressDragFinished() override { Say(QStringLiteral("Drag finished")); }
    void OnCheckboxSwitch(unsigned int control, bool checked) override
    {
        if (control == PlaybackControlPanelLogic::CtrlFullscreen) {
            if (checked)
                m_switcher->GoFullscreen(QGuiApplication::screens().indexOf(m_window->screen()));
            else
                m_switcher->GoWindowed();
        }
        Say(QStringLiteral("Switch 0x%1 %2").arg(control, 0, 16).arg(checked ? "on" : "off"));
    }
    void OnVolumeChanged(int volume) override { Say(QStringLiteral("Volume %1").arg(volume)); }
    void OnMuteChanged(bool mute) override
    {
        Say(mute ? QStringLiteral("Muted") : QStringLiteral("Sound on"));
    }

private:
    void OpenSource(int index)
    {
        m_source = (index + int(Sources.size())) % int(Sources.size());
        const Source& source = Sources[size_t(m_source)];
        m_switcher->SetSourceInfo(source.name, source.duration);
        m_switcher->OnFile(true, true);
        m_switcher->SetPlaylistRewinds(m_source + 1 < int(Sources.size()), m_source > 0);
        m_player.Open(source.duration);
        Say(QStringLiteral("Opened %1").arg(QString::fromUtf8(source.name)));
    }
    void Play()
    {
        m_player.Play();
        m_switcher->OnPlay();
    }
    void Pause()
    {
        m_player.Pause();
        m_switcher->OnPause();
    }
    void Say(const QString& text) { m_status->setText(text); }

    PlaybackControlPanelSwitcher* m_switcher; // owned by the section
    QWidget* m_window; // the section, to find its screen
    QLabel* m_status;
    SimulatedPlayer m_player;
    int m_source = 0;
};

} // namespace

// A windowed and a full-screen panel bound to one switcher, driven by a
// simulated player whose clock runs on its own thread.
QWidget* CreateControlPanelSection(QWidget* parent)
{
    auto* section = new QWidget(parent);
    section->setStyleSheet(QString::fromUtf8(Gallery::TimelineStyle)
        + QString::fromUtf8(Gallery::VolumeStyle) + QString::fromUtf8(Gallery::PanelStyle));
    auto* layout = new QVBoxLayout(section);
    auto* windowed = new StateWidget(section);
    BuildPanel(windowed, false);
    // A window of its own once the switcher prepares it; owned by the section.
    auto* fullscreen = new StateWidget(section);
    fullscreen->setStyleSheet(section->styleSheet());
    BuildPanel(fullscreen, true);
    auto* status = new QLabel(section);
    layout->addWidget(windowed);
    layout->addWidget(status);

    auto* switcher = new PlaybackControlPanelSwitcher(section, windowed, fullscreen);
    new GalleryHost(switcher, section, status);
    return section;
}
