#include "Gui/Reelkit/PlaybackControlPanelLogic.h"

#include "Gui/Reelkit/IPlaybackControlPanelEventObserver.h"
#include "Gui/Reelkit/PanelControlNames.h"
#include "Gui/Reelkit/Repolish.h"
#include "Gui/Reelkit/TimeEdit.h"
#include "Gui/Reelkit/TimelineSlider.h"
#include "host/StateWidget.h"

#include <QAbstractButton>
#include <QEvent>
#include <QStyle>
#include <QTime>
#include <QVariant>

namespace Tarvos::Gui {

namespace {

QTime TimeOfDay(Tarvos::avTime time)
{
    return QTime(0, 0, 0, 0).addMSecs(static_cast<int>(time / 1000));
}

} // namespace

const QString PlaybackControlPanelLogic::PlayPauseName = QStringLiteral("PlayPause");
const QString PlaybackControlPanelLogic::StopName = QStringLiteral("Stop");
const QString PlaybackControlPanelLogic::ToEndName = QStringLiteral("ToEnd");
const QString PlaybackControlPanelLogic::ToBeginName = QStringLiteral("ToBegin");
const QString PlaybackControlPanelLogic::PlaylistName = QStringLiteral("Playlist");
const QString PlaybackControlPanelLogic::ShuffleName = QStringLiteral("Shuffle");
const QString PlaybackControlPanelLogic::RepeatName = QStringLiteral("Repeat");
const QString PlaybackControlPanelLogic::FullscreenName = QStringLiteral("Fullscreen");
const QString PlaybackControlPanelLogic::NextFrameName = QStringLiteral("NextFrame");
const QString PlaybackControlPanelLogic::PrevFrameName = QStringLiteral("PrevFrame");
const QString PlaybackControlPanelLogic::InputViewModeName = QStringLiteral("inputViewMode");
const QString PlaybackControlPanelLogic::OutputViewModeName = QStringLiteral("outputViewMode");
const QString PlaybackControlPanelLogic::EffectsName = QStringLiteral("Effects");
const QString PlaybackControlPanelLogic::ProgressName = QStringLiteral("Progress");
const QString PlaybackControlPanelLogic::ProgressEditName = QStringLiteral("ProgressEdit");
const QString PlaybackControlPanelLogic::TotalEditName = QStringLiteral("TotalEdit");
const QString PlaybackControlPanelLogic::VolumeControlName = QStringLiteral("volumeControl");

// One connection of a named control: from the control to the logic, or, for
// the volume control's two inputs, from the logic to the control.
struct PlaybackControlPanelLogic::Binding
{
    enum Direction
    {
        ToLogic,
        FromLogic
    };

    const QString& name;
    const char* signal;
    const char* method;
    Direction direction;
    // Enabled state applied when the control is bound, if any.
    bool PlaybackControlPanelLogic::*enabled;
    // Disconnected only after the previous widget has given up its state.
    bool afterGetState;
};

// In binding order; the connections use the controls' and the logic's names
// only, so that any class with these signals and slots fits.
const PlaybackControlPanelLogic::Binding PlaybackControlPanelLogic::Bindings[] = {
    { PlayPauseName, SIGNAL(clicked()), SLOT(OnPlayPauseClicked()), Binding::ToLogic,
        &PlaybackControlPanelLogic::m_playPauseEnabled, false },
    { StopName, SIGNAL(clicked()), SLOT(OnStopClicked()), Binding::ToLogic,
        &PlaybackControlPanelLogic::m_stopEnabled, false },
    { EffectsName, SIGNAL(clicked()), SLOT(OnEffectsClicked()), Binding::ToLogic,
        &PlaybackControlPanelLogic::m_effectsEnabled, false },
    { ToEndName, SIGNAL(clicked()), SLOT(OnNextFileClicked()), Binding::ToLogic, nullptr, false },
    { ToBeginName, SIGNAL(clicked()), SLOT(OnPrevFileClicked()), Binding::ToLogic, nullptr, false },
    { PlaylistName, SIGNAL(stateChanged(int)), SLOT(OnPlaylistSwitched(int)), Binding::ToLogic,
        nullptr, false },
    { ShuffleName, SIGNAL(stateChanged(int)), SLOT(OnShuffleSwitched(int)), Binding::ToLogic,
        nullptr, false },
    { RepeatName, SIGNAL(stateChanged(int)), SLOT(OnRepeatSwitched(int)), Binding::ToLogic, nullptr,
        false },
    { FullscreenName, SIGNAL(clicked()), SLOT(OnFullscreenSwitched()), Binding::ToLogic, nullptr,
        false },
    { NextFrameName, SIGNAL(clicked()), SLOT(OnNextFrameClicked()), Binding::ToLogic,
        &PlaybackControlPanelLogic::m_nextFrameEnabled, false },
    { PrevFrameName, SIGNAL(clicked()), SLOT(OnPrevFrameClicked()), Binding::ToLogic,
        &PlaybackControlPanelLogic::m_prevFrameEnabled, false },
    { ProgressName, SIGNAL(valueChanged(int)), SIGNAL(Seek(int)), Binding::ToLogic, nullptr,
        false },
    { ProgressName, SIGNAL(TimelineValueChanged(int)), SLOT(OnPositionChanged(int)),
        Binding::ToLogic, nullptr, false },
    { ProgressName, SIGNAL(sliderPressed()), SLOT(OnStartDragProgress()), Binding::ToLogic, nullptr,
        false },
    { ProgressName, SIGNAL(sliderReleased()), SLOT(OnStopDragProgress()), Binding::ToLogic, nullptr,
        false },
    { VolumeControlName, SIGNAL(VolumeChanged(int)), SLOT(OnVolumeControlValueChanged(int)),
        Binding::ToLogic, nullptr, false },
    { VolumeControlName, SIGNAL(Muted(bool)), SLOT(OnVolumeControlMuted(bool)), Binding::ToLogic,
        nullptr, false },
    { VolumeControlName, SIGNAL(SetVolumeSignal(int)), SLOT(SetVolume(int)), Binding::FromLogic,
        nullptr, false },
    { VolumeControlName, SIGNAL(SetMutedSignal(bool)), SLOT(Mute(bool)), Binding::FromLogic,
        nullptr, false },
    { ProgressEditName, SIGNAL(EnterPressed()), SLOT(OnProgressEditFinished()), Binding::ToLogic,
        nullptr, false },
    { InputViewModeName, SIGNAL(clicked()), SLOT(UpdatePositionState()), Binding::ToLogic, nullptr,
        true },
    { OutputViewModeName, SIGNAL(clicked()), SLOT(UpdatePositionState()), Binding::ToLogic, nullptr,
        true },
};

PlaybackControlPanelLogic::PlaybackControlPanelLogic(QObject* parent)
    : QObject(parent)
    , m_controlNames({ PlayPauseName, StopName, ToEndName, ToBeginName, PlaylistName, ShuffleName,
          RepeatName, FullscreenName, NextFrameName, PrevFrameName, InputViewModeName,
          OutputViewModeName, EffectsName })
{
    // The setters' signals cross threads as queued events, which need these
    // types by the names the signatures spell.
    qRegisterMetaType<Tarvos::avTime>("Tarvos::avTime");
    qRegisterMetaType<std::string>("std::string");

    connect(this, &PlaybackControlPanelLogic::MuteAudioSignal, this,
        &PlaybackControlPanelLogic::OnMuteAudio);
    connect(this, &PlaybackControlPanelLogic::SetAudioVolumeSignal, this,
        &PlaybackControlPanelLogic::OnSetAudioVolume);
    connect(this, &PlaybackControlPanelLogic::SetPositionSignal, this,
        &PlaybackControlPanelLogic::OnSetPosition);
    connect(this, &PlaybackControlPanelLogic::SetSourceSignal, this,
        &PlaybackControlPanelLogic::OnSetSource);
    connect(this, &PlaybackControlPanelLogic::SetDurationSignal, this,
        &PlaybackControlPanelLogic::OnSetDuration);
}

PlaybackControlPanelLogic::~PlaybackControlPanelLogic() = default;

void PlaybackControlPanelLogic::SetListener(IPlaybackControlPanelEventObserver* newListener)
{
    m_listener = newListener;
}

void PlaybackControlPanelLogic::SetWidget(StateWidget* newWidget)
{
    QMap<QString, QVariant> state;
    if (m_widget) {
        for (const Binding& binding : Bindings) {
            if (!binding.afterGetState)
                Disconnect(binding, Control(binding.name));
        }
        state = m_widget->GetState();
        for (const Binding& binding : Bindings) {
            if (binding.afterGetState)
                Disconnect(binding, Control(binding.name));
        }
    }

    WatchPanel(false);
    m_widget = newWidget;
    m_positionPending = false;
    WatchPanel(true);
    m_controls.clear();
    if (newWidget) {
        for (const QString& name : qAsConst(m_controlNames)) {
            if (auto* button = newWidget->findChild<QAbstractButton*>(name))
                m_controls.insert(name, button);
        }
        if (auto* slider = newWidget->findChild<TimelineSlider*>(ProgressName))
            m_controls.insert(ProgressName, slider);
        if (auto* edit = newWidget->findChild<TimeEdit*>(ProgressEditName))
            m_controls.insert(ProgressEditName, edit);
        if (auto* edit = newWidget->findChild<TimeEdit*>(TotalEditName))
            m_controls.insert(TotalEditName, edit);
        if (auto* volumeControl = newWidget->findChild<QWidget*>(VolumeControlName))
            m_controls.insert(VolumeControlName, volumeControl);
    }
    for (auto control = m_controls.cbegin(); control != m_controls.cend(); ++control) {
        control.value()->setAttribute(Qt::WA_LayoutUsesWidgetRect);
        PanelControlNames::Apply(control.value(), control.key());
    }

    // Before connecting: what these updates change on the new controls must
    // not come back as user actions.
    TakeWaitingPosition();
    UpdatePlayPauseState();
    UpdateDurationState();
    UpdatePositionState();
    UpdateCheckboxesState();
    UpdateVolumeState();

    for (const Binding& binding : Bindings) {
        if (QWidget* control = Control(binding.name)) {
            Connect(binding, control);
            if (binding.enabled)
                control->setEnabled(this->*binding.enabled);
        }
    }

    if (newWidget)
        newWidget->SetState(state);
    UpdateSight();
}

void PlaybackControlPanelLogic::WatchPanel(bool watch)
{
    if (!watch) {
        if (m_widget)
            m_widget->removeEventFilter(this);
        if (m_window)
            m_window->removeEventFilter(this);
        m_window = nullptr;
        return;
    }
    if (!m_widget)
        return;
    m_widget->installEventFilter(this);
    m_window = m_widget->window();
    if (m_window != m_widget)
        m_window->installEventFilter(this);
}

bool PlaybackControlPanelLogic::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ParentChange:
        // Moved into another window: that one's minimised state counts now.
        if (watched == m_widget) {
            WatchPanel(false);
            WatchPanel(true);
        }
        break;
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::WindowStateChange:
        UpdateSight();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool PlaybackControlPanelLogic::PanelInSight() const
{
    return m_widget && m_widget->isVisible() && !m_widget->window()->isMinimized() && !m_outOfView;
}

void PlaybackControlPanelLogic::UpdateSight()
{
    const bool inSight = PanelInSight();
    m_inSight = inSight;
    if (!inSight)
        return;
    // Only after m_inSight is set: a report that found the panel out of sight
    // has left its position by now, or sees the panel in sight and sends it.
    if (TakeWaitingPosition() || m_positionPending) {
        m_positionPending = false;
        UpdatePositionState();
    }
}

bool PlaybackControlPanelLogic::TakeWaitingPosition()
{
    if (!m_positionWaiting.exchange(false) || m_dragging)
        return false;
    m_position = m_reportedPosition;
    return true;
}

void PlaybackControlPanelLogic::SetPanelOutOfView(bool outOfView)
{
    m_outOfView = outOfView;
    UpdateSight();
}

void PlaybackControlPanelLogic::Connect(const Binding& binding, QWidget* control)
{
    if (binding.direction == Binding::ToLogic)
        connect(control, binding.signal, this, binding.method);
    else
        connect(this, binding.signal, control, binding.method, Qt::UniqueConnection);
}

void PlaybackControlPanelLogic::Disconnect(const Binding& binding, QWidget* control)
{
    // A volume control that is no longer bound keeps following the player's
    // volume, so that it is current when bound again; its connections are
    // unique, so it then hears each change once.
    if (control && binding.direction == Binding::ToLogic)
        disconnect(control, binding.signal, this, binding.method);
}

void PlaybackControlPanelLogic::SetSourceInfo(
    const std::string& newFileName, Tarvos::avTime newDuration)
{
    emit SetSourceSignal(newFileName, newDuration);
}

void PlaybackControlPanelLogic::SetDuration(Tarvos::avTime newDuration)
{
    emit SetDurationSignal(newDuration);
}

void PlaybackControlPanelLogic::SetPosition(Tarvos::avTime newPosition)
{
    m_reportedPosition = newPosition;
    if (m_inSight) {
        emit SetPositionSignal(newPosition);
        return;
    }
    // Out of sight, the logic's thread is not woken: the position waits for
    // the panel to show.
    m_positionWaiting = true;
    // The panel may have come into sight meanwhile, and looked for a waiting
    // position before this one was left.
    if (m_inSight && m_positionWaiting.exchange(false))
        emit SetPositionSignal(m_reportedPosition);
}

void PlaybackControlPanelLogic::SetAudioVolume(int newVolume)
{
    emit SetAudioVolumeSignal(newVolume);
}

void PlaybackControlPanelLogic::MuteAudio(bool mute)
{
    emit MuteAudioSignal(mute);
}

void PlaybackControlPanelLogic::SetPlaylistState(bool checked)
{
    m_playlistState = checked;
    UpdateCheckboxesState();
}

void PlaybackControlPanelLogic::SetShuffleState(bool checked)
{
    m_shuffleState = checked;
    UpdateCheckboxesState();
}

void PlaybackControlPanelLogic::SetRepeatState(bool checked)
{
    m_repeatState = checked;
    UpdateCheckboxesState();
}

void PlaybackControlPanelLogic::SetFullscreenChecked(bool checked)
{
    m_fullscreenChecked = checked;
    SetControlChecked(FullscreenName, checked);
}

void PlaybackControlPanelLogic::SetPlaylistChecked(bool checked)
{
    SetControlChecked(PlaylistName, checked);
}

void PlaybackControlPanelLogic::SetPlaylistRewinds(bool next, bool previous)
{
    SetControlEnabled(ToEndName, next);
    SetControlEnabled(ToBeginName, previous);
}

void PlaybackControlPanelLogic::OnPlay()
{
    m_isPlay = false;
    UpdatePlayPauseState();
    m_stopEnabled = true;
    SetControlEnabled(StopName, true);
}

void PlaybackControlPanelLogic::OnPause()
{
    m_isPlay = true;
    UpdatePlayPauseState();
    m_stopEnabled = true;
    SetControlEnabled(StopName, true);
}

void PlaybackControlPanelLogic::OnStop()
{
    m_isPlay = true;
    UpdatePlayPauseState();
    m_stopEnabled = false;
    SetControlEnabled(StopName, false);
}

void PlaybackControlPanelLogic::OnFile(bool video, bool audio)
{
    UpdatePlayPauseState();
    m_stopEnabled = false;
    m_nextFrameEnabled = true;
    m_prevFrameEnabled = false;
    const bool hasDuration = m_duration != 0;
    SetControlEnabled(StopName, false);
    SetControlEnabled(PrevFrameName, false);
    SetControlEnabled(NextFrameName, hasDuration);
    SetControlEnabled(ProgressName, hasDuration);
    SetControlEnabled(FullscreenName, video);
    SetControlEnabled(VolumeControlName, audio && hasDuration);
}

void PlaybackControlPanelLogic::OnEmpty()
{
    m_fileName.clear();
    OnSetDuration(0);
    m_isPlay = true;
    UpdatePlayPauseState();
    m_stopEnabled = false;
    m_nextFrameEnabled = false;
    m_prevFrameEnabled = false;
    for (const QString* name : { &StopName, &PrevFrameName, &NextFrameName, &ProgressName,
             &FullscreenName, &VolumeControlName })
        SetControlEnabled(*name, false);
}

void PlaybackControlPanelLogic::OnStartDragProgress()
{
    m_dragging = true;
    if (m_listener)
        m_listener->OnProgressDragStarted();
}

void PlaybackControlPanelLogic::OnStopDragProgress()
{
    m_dragging = false;
    if (m_listener)
        m_listener->OnProgressDragFinished();
}

void PlaybackControlPanelLogic::OnFullscreenSwitched()
{
    m_fullscreenChecked = !m_fullscreenChecked;
    if (m_listener)
        m_listener->OnCheckboxSwitch(CtrlFullscreen, m_fullscreenChecked);
    UpdatePlayPauseState();
    UpdateDurationState();
    UpdatePositionState();
    UpdateCheckboxesState();
    UpdateVolumeState();
}

void PlaybackControlPanelLogic::OnPlayPauseClicked()
{
    NotifyOnButtonClick(CtrlPlayPause);
}

void PlaybackControlPanelLogic::OnPauseClicked()
{
    NotifyOnButtonClick(CtrlPlayPause);
}

void PlaybackControlPanelLogic::OnStopClicked()
{
    NotifyOnButtonClick(CtrlStop);
}

void PlaybackControlPanelLogic::OnNextFileClicked()
{
    NotifyOnButtonClick(CtrlNextFile);
}

void PlaybackControlPanelLogic::OnPrevFileClicked()
{
    NotifyOnButtonClick(CtrlPrevFile);
}

void PlaybackControlPanelLogic::OnNextFrameClicked()
{
    NotifyOnButtonClick(CtrlNextFrame);
}

void PlaybackControlPanelLogic::OnPrevFrameClicked()
{
    NotifyOnButtonClick(CtrlPrevFrame);
}

void PlaybackControlPanelLogic::OnEffectsClicked()
{
    NotifyOnButtonClick(CtrlEffects);
}

void PlaybackControlPanelLogic::OnPlaylistSwitched(int state)
{
    NotifyOnCheckboxSwitch(CtrlPlaylist, state == Qt::Checked);
}

void PlaybackControlPanelLogic::OnShuffleSwitched(int state)
{
    NotifyOnCheckboxSwitch(CtrlShuffle, state == Qt::Checked);
}

void PlaybackControlPanelLogic::OnRepeatSwitched(int state)
{
    NotifyOnCheckboxSwitch(CtrlRepeat, state == Qt::Checked);
}

void PlaybackControlPanelLogic::OnVolumeControlValueChanged(int newVolume)
{
    m_volume = newVolume;
    if (m_listener)
        m_listener->OnVolumeChanged(newVolume);
}

void PlaybackControlPanelLogic::OnVolumeControlMuted(bool mute)
{
    m_muted = mute;
    if (m_listener)
        m_listener->OnMuteChanged(mute);
}

void PlaybackControlPanelLogic::OnSetDuration(Tarvos::avTime newDuration)
{
    m_duration = newDuration;
    const bool hasDuration = newDuration != 0;
    m_playPauseEnabled = hasDuration;
    m_stopEnabled = hasDuration;
    m_prevFrameEnabled = hasDuration;
    m_nextFrameEnabled = hasDuration;
    for (const QString* name :
        { &NextFrameName, &PrevFrameName, &PlayPauseName, &StopName, &VolumeControlName })
        SetControlEnabled(*name, hasDuration);
    UpdateDurationState();
}

void PlaybackControlPanelLogic::OnProgressEditFinished()
{
    auto* edit = Find<TimeEdit>(ProgressEditName);
    if (!edit)
        return;
    const int milliseconds = -edit->time().msecsTo(QTime(0, 0, 0, 0));
    if (m_listener)
        m_listener->OnSeek(Tarvos::avTime(milliseconds) * 1000);
}

void PlaybackControlPanelLogic::OnSetPosition(qint64 newPosition)
{
    // The player's reports must not fight the user's drag.
    if (m_dragging)
        return;
    m_position = newPosition;
    // Reports sent before the panel went out of sight change nothing on it.
    if (!PanelInSight()) {
        m_positionPending = true;
        return;
    }
    m_positionPending = false;
    UpdatePositionState();
}

void PlaybackControlPanelLogic::OnSetSource(
    const std::string& newFileName, Tarvos::avTime newDuration)
{
    m_fileName = newFileName;
    if (!m_fileName.empty()) {
        OnSetDuration(newDuration);
        return;
    }
    emit SetPositionSignal(0);
    OnSetDuration(0);
    OnEmpty();
}

void PlaybackControlPanelLogic::OnSetAudioVolume(int newVolume)
{
    // Kept for the next binding: a control bound later shows the player's
    // volume, not the one it had when it was bound before.
    m_volume = newVolume;
    emit SetVolumeSignal(newVolume);
}

void PlaybackControlPanelLogic::OnMuteAudio(bool mute)
{
    m_muted = mute;
    emit SetMutedSignal(mute);
}

void PlaybackControlPanelLogic::UpdatePositionState()
{
    if (!HasSource())
        return;
    const QTime time = TimeOfDay(m_position);
    // May re-enter through OnPositionChanged, at most twice: from the first
    // nested run on, the position is a whole number of milliseconds.
    if (auto* slider = Find<TimelineSlider>(ProgressName))
        slider->setValue(m_position);
    // The nested runs set the same time: a field already showing it is left
    // alone, which spares it choosing its format and parsing anew.
    if (auto* edit = Find<TimeEdit>(ProgressEditName);
        edit && !edit->hasFocus() && edit->time() != time)
        edit->setTime(time);
    m_prevFrameEnabled = m_duration != 0 && m_position > 0;
    m_nextFrameEnabled = m_duration != 0 && m_position < m_duration;
    SetControlEnabled(PrevFrameName, m_prevFrameEnabled);
    SetControlEnabled(NextFrameName, m_nextFrameEnabled);
}

void PlaybackControlPanelLogic::OnPositionChanged(int milliseconds)
{
    // The slider reports milliseconds, the duration is in microseconds; the
    // bound is deliberately the plain number comparison.
    if (m_fileName.empty() || milliseconds < 0 || Tarvos::avTime(milliseconds) >= m_duration)
        return;
    m_position = Tarvos::avTime(milliseconds) * 1000;
    if (m_listener && m_dragging)
        m_listener->OnSeek(m_position);
    UpdatePositionState();
}

bool PlaybackControlPanelLogic::HasSource() const
{
    return !m_fileName.empty();
}

void PlaybackControlPanelLogic::NotifyOnButtonClick(unsigned int control)
{
    if (m_listener)
        m_listener->OnButtonClick(control);
}

void PlaybackControlPanelLogic::NotifyOnCheckboxSwitch(unsigned int control, bool checked)
{
    if (m_listener)
        m_listener->OnCheckboxSwitch(control, checked);
}

void PlaybackControlPanelLogic::UpdatePlayPauseState()
{
    QWidget* button = Control(PlayPauseName);
    if (!button)
        return;
    button->setProperty("isPlay", QVariant(m_isPlay));
    Repolish(button);
    PanelControlNames::Apply(button, PlayPauseName);
}

void PlaybackControlPanelLogic::UpdateDurationState()
{
    // One millisecond past the duration, so that the last frame can be typed.
    const QTime maximum = QTime(0, 0, 0, 1).addMSecs(static_cast<int>(m_duration / 1000));
    if (auto* edit = Find<TimeEdit>(ProgressEditName))
        edit->setMaximumTime(maximum);
    if (auto* edit = Find<TimeEdit>(TotalEditName)) {
        edit->setMaximumTime(maximum);
        edit->setTime(maximum);
    }
    if (auto* slider = Find<TimelineSlider>(ProgressName))
        slider->setRange(0, m_duration);
}

void PlaybackControlPanelLogic::UpdateCheckboxesState()
{
    SetControlChecked(PlaylistName, m_playlistState);
    SetControlChecked(RepeatName, m_repeatState);
    SetControlChecked(ShuffleName, m_shuffleState);
    SetControlChecked(FullscreenName, m_fullscreenChecked);
}

void PlaybackControlPanelLogic::UpdateVolumeState()
{
    if (!Control(VolumeControlName))
        return;
    emit SetVolumeSignal(m_volume);
    emit SetMutedSignal(m_muted);
}

QWidget* PlaybackControlPanelLogic::Control(const QString& name) const
{
    const auto control = m_controls.constFind(name);
    return control != m_controls.cend() ? control->data() : nullptr;
}

template <class Type> Type* PlaybackControlPanelLogic::Find(const QString& name) const
{
    // The binding enters a control only under the type it was looked up by.
    return static_cast<Type*>(Control(name));
}

void PlaybackControlPanelLogic::SetControlEnabled(const QString& name, bool enabled) const
{
    if (QWidget* control = Control(name))
        control->setEnabled(enabled);
}

void PlaybackControlPanelLogic::SetControlChecked(const QString& name, bool checked) const
{
    if (auto* button = Find<QAbstractButton>(name))
        button->setChecked(checked);
}

} // namespace Tarvos::Gui
