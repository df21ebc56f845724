#pragma once

#include "Gui/Reelkit/ReelkitExport.h"
#include "host/avTime.h"

#include <QMap>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <string>

class QWidget;

namespace Tarvos::Gui {

class IPlaybackControlPanelEventObserver;
class StateWidget;

// Keeps a host-designed panel of named controls consistent with the player and
// reports what the user does on them to a listener. Owns no widget: the state
// widget, its controls and the listener are the host's and must outlive their
// binding or registration.
//
// The five setters SetSourceInfo, SetDuration, SetPosition, SetAudioVolume and
// MuteAudio may be called from any thread; everything else runs in the GUI thread.
class REELKIT_EXPORT PlaybackControlPanelLogic : public QObject
{
    Q_OBJECT

public:
    // One bit per kind of panel control.
    static constexpr unsigned int CtrlPlayPause = 0x1;
    static constexpr unsigned int CtrlStop = 0x2;
    static constexpr unsigned int CtrlNextFrame = 0x4;
    static constexpr unsigned int CtrlPrevFrame = 0x8;
    static constexpr unsigned int CtrlNextFile = 0x10;
    static constexpr unsigned int CtrlPrevFile = 0x20;
    static constexpr unsigned int CtrlGotoBegin = 0x40;
    static constexpr unsigned int CtrlGotoEnd = 0x80;
    static constexpr unsigned int CtrlVolume = 0x100;
    static constexpr unsigned int CtrlProgress = 0x200;
    static constexpr unsigned int CtrlProgressMarkers = 0x400;
    static constexpr unsigned int CtrlFullscreen = 0x800;
    static constexpr unsigned int CtrlEffects = 0x1000;
    static constexpr unsigned int CtrlCrop = 0x2000;
    static constexpr unsigned int CtrlRotate = 0x4000;
    static constexpr unsigned int CtrlSaveFrame = 0x8000;
    static constexpr unsigned int CtrlAnaglyph = 0x10000;
    static constexpr unsigned int CtrlWatermark = 0x20000;
    static constexpr unsigned int Ctrl3D = 0x40000;
    static constexpr unsigned int Ctrl3DSettings = 0x80000;
    static constexpr unsigned int CtrlAudioSettings = 0x100000;
    static constexpr unsigned int CtrlShuffle = 0x200000;
    static constexpr unsigned int CtrlRepeat = 0x400000;
    static constexpr unsigned int CtrlPlaylist = 0x800000;

    // Groups of the identifiers above.
    static constexpr unsigned int CtrlsPlayPauseStop = 0x3;
    static constexpr unsigned int CtrlsRewinds = 0xCC;
    static constexpr unsigned int CtrlsPlaylist = 0xE00030;
    static constexpr unsigned int Ctrls3D = 0xC0000;
    static constexpr unsigned int AllCtrlsPlayer = 0xEC1BFF;

    explicit PlaybackControlPanelLogic(QObject* parent = nullptr);
    ~PlaybackControlPanelLogic() override;

    // The listener is not owned; null unregisters it.
    void SetListener(IPlaybackControlPanelEventObserver* listener);
    // Binds the panel's named controls, handing the previous panel's state to
    // the new one. Null unbinds.
    void SetWidget(StateWidget* widget);

    // Callable from any thread.
    void SetSourceInfo(const std::string& fileName, Tarvos::avTime duration);
    void SetDuration(Tarvos::avTime duration);
    void SetPosition(Tarvos::avTime position);
    void SetAudioVolume(int volume);
    void MuteAudio(bool mute);

    void SetPlaylistState(bool checked);
    void SetShuffleState(bool checked);
    void SetRepeatState(bool checked);
    void SetFullscreenChecked(bool checked);
    // Sets the check box only; the remembered playlist state stays.
    void SetPlaylistChecked(bool checked);
    void SetPlaylistRewinds(bool next, bool previous);

public slots:
    void OnPlay();
    void OnPause();
    void OnStop();
    void OnFile(bool video = true, bool audio = true);
    void OnEmpty();
    void OnStartDragProgress();
    void OnStopDragProgress();
    void OnFullscreenSwitched();

signals:
    // Declared for the host; the logic never emits these.
    void PlayPause();
    void Pause();
    void Stop();
    void NextFrame();
    void PrevFrame();
    void Effects();
    void OnShowPlaylist(int show);

    // Relays every value change of the "Progress" slider, in slider positions.
    void Seek(int time);

    void SetPositionSignal(qint64 position);
    void SetSourceSignal(const std::string& fileName, Tarvos::avTime duration);
    void SetDurationSignal(Tarvos::avTime duration);
    void SetAudioVolumeSignal(int volume);
    void MuteAudioSignal(bool mute);
    // Towards the bound volume control.
    void SetVolumeSignal(int volume);
    void SetMutedSignal(bool muted);

private slots:
    void OnPlayPauseClicked();
    void OnPauseClicked();
    void OnStopClicked();
    void OnNextFileClicked();
    void OnPrevFileClicked();
    void OnNextFrameClicked();
    void OnPrevFrameClicked();
    void OnEffectsClicked();
    void OnPlaylistSwitched(int state);
    void OnShuffleSwitched(int state);
    void OnRepeatSwitched(int state);
    void OnVolumeControlValueChanged(int volume);
    void OnVolumeControlMuted(bool mute);
    void OnSetDuration(Tarvos::avTime duration);
    void OnProgressEditFinished();
    void OnSetPosition(qint64 position);
    void OnSetSource(const std::string& fileName, Tarvos::avTime duration);
    void OnSetAudioVolume(int volume);
    void OnMuteAudio(bool mute);
    void UpdatePositionState();
    void OnPositionChanged(int milliseconds);

private:
    struct Binding;
    static const Binding Bindings[];

    bool HasSource() const;
    void NotifyOnButtonClick(unsigned int control);
    void NotifyOnCheckboxSwitch(unsigned int control, bool checked);
    void UpdatePlayPauseState();
    void UpdateDurationState();
    void UpdateCheckboxesState();
    void UpdateVolumeState();

    QWidget* Control(const QString& name) const;
    template <class Type> Type* Find(const QString& name) const;
    void SetControlEnabled(const QString& name, bool enabled) const;
    void SetControlChecked(const QString& name, bool checked) const;
    void Connect(const Binding& binding, QWidget* control);
    void Disconnect(const Binding& binding, QWidget* control);

    bool playlistState = true;
    bool shuffleState = false;
    bool repeatState = false;
    bool fullscreenChecked = false;
    bool isPlay = true;
    Tarvos::avTime position = 0;
    int volume = 0;
    bool muted = false;
    bool dragging = false;
    IPlaybackControlPanelEventObserver* listener = nullptr; // not owned
    // Not owned. Guarded, so that a panel the host deletes while it is bound
    // reads as missing instead of dangling.
    QPointer<StateWidget> widget;
    QMap<QString, QPointer<QWidget>> controls;
    Tarvos::avTime duration = 0;
    QStringList controlNames;
    std::string fileName;
    bool playPauseEnabled = false;
    bool stopEnabled = false;
    bool effectsEnabled = true;
    bool nextFrameEnabled = false;
    bool prevFrameEnabled = false;
};

} // namespace Tarvos::Gui
