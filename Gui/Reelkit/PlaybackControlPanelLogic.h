#pragma once

#include "Gui/Reelkit/ReelkitExport.h"
#include "host/avTime.h"

#include <QMap>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <atomic>
#include <string>

class QWidget;

namespace Tarvos::Gui {

class IPlaybackControlPanelEventObserver;
class StateWidget;

/// Keeps a host-designed panel of named controls consistent with the player and
/// reports what the user does on them to a listener. Owns no widget: the state
/// widget, its controls and the listener are the host's and must outlive their
/// binding or registration (a bound widget that the host deletes reads as missing).
///
/// The controls are children of the bound StateWidget, found by object name:
/// buttons "PlayPause", "Stop", "ToEnd", "ToBegin", "NextFrame", "PrevFrame",
/// "Effects", "Fullscreen", "inputViewMode" and "outputViewMode"; check boxes
/// "Playlist", "Shuffle" and "Repeat"; the TimelineSlider "Progress"; the
/// TimeEdit fields "ProgressEdit" and "TotalEdit"; and "volumeControl", any
/// widget with the VolumeControl signals and slots. A missing control is skipped.
///
/// The five setters SetSourceInfo(), SetDuration(), SetPosition(),
/// SetAudioVolume() and MuteAudio() may be called from any thread: they only
/// emit a signal that an automatic connection queues into the logic's thread
/// (SetPosition() not even that while the panel is out of sight). Everything
/// else runs in the GUI thread.
class REELKIT_EXPORT PlaybackControlPanelLogic : public QObject
{
    Q_OBJECT

public:
    /// \name Control identifiers
    /// One bit per kind of panel control, as the listener receives them and as
    /// a host describes sets of controls. The panel sends only CtrlPlayPause,
    /// CtrlStop, CtrlNextFrame, CtrlPrevFrame, CtrlNextFile, CtrlPrevFile and
    /// CtrlEffects (button clicks) and CtrlFullscreen, CtrlShuffle, CtrlRepeat
    /// and CtrlPlaylist (check switches); the others are for the host's own use.
    //@{
    /// The play/pause button, "PlayPause".
    static constexpr unsigned int CtrlPlayPause = 0x1;
    /// The stop button, "Stop".
    static constexpr unsigned int CtrlStop = 0x2;
    /// Step one frame forward, "NextFrame".
    static constexpr unsigned int CtrlNextFrame = 0x4;
    /// Step one frame back, "PrevFrame".
    static constexpr unsigned int CtrlPrevFrame = 0x8;
    /// The next file of the playlist: the button named "ToEnd".
    static constexpr unsigned int CtrlNextFile = 0x10;
    /// The previous file of the playlist: the button named "ToBegin".
    static constexpr unsigned int CtrlPrevFile = 0x20;
    /// Go to the beginning of the file; never sent by the panel.
    static constexpr unsigned int CtrlGotoBegin = 0x40;
    /// Go to the end of the file; never sent by the panel.
    static constexpr unsigned int CtrlGotoEnd = 0x80;
    /// The volume control, "volumeControl"; never sent by the panel.
    static constexpr unsigned int CtrlVolume = 0x100;
    /// The position slider, "Progress"; never sent by the panel.
    static constexpr unsigned int CtrlProgress = 0x200;
    /// Markers on the position slider; never sent by the panel.
    static constexpr unsigned int CtrlProgressMarkers = 0x400;
    /// The full-screen check button, "Fullscreen".
    static constexpr unsigned int CtrlFullscreen = 0x800;
    /// The effects button, "Effects".
    static constexpr unsigned int CtrlEffects = 0x1000;
    /// Crop; never sent by the panel.
    static constexpr unsigned int CtrlCrop = 0x2000;
    /// Rotate; never sent by the panel.
    static constexpr unsigned int CtrlRotate = 0x4000;
    /// Save the current frame; never sent by the panel.
    static constexpr unsigned int CtrlSaveFrame = 0x8000;
    /// Anaglyph view; never sent by the panel.
    static constexpr unsigned int CtrlAnaglyph = 0x10000;
    /// Watermark; never sent by the panel.
    static constexpr unsigned int CtrlWatermark = 0x20000;
    /// 3D view; never sent by the panel.
    static constexpr unsigned int Ctrl3D = 0x40000;
    /// 3D settings; never sent by the panel.
    static constexpr unsigned int Ctrl3DSettings = 0x80000;
    /// Audio settings; never sent by the panel.
    static constexpr unsigned int CtrlAudioSettings = 0x100000;
    /// The shuffle check box, "Shuffle".
    static constexpr unsigned int CtrlShuffle = 0x200000;
    /// The repeat check box, "Repeat".
    static constexpr unsigned int CtrlRepeat = 0x400000;
    /// The show-playlist check box, "Playlist".
    static constexpr unsigned int CtrlPlaylist = 0x800000;

    //@}

    /// \name Object names of the controls
    /// The logic finds a bound panel's controls by these object names,
    /// anywhere below the StateWidget.
    //@{
    static const QString PlayPauseName; ///< "PlayPause": the play/pause button (a QAbstractButton).
    static const QString StopName; ///< "Stop": the stop button.
    static const QString ToEndName; ///< "ToEnd": the next-file button.
    static const QString ToBeginName; ///< "ToBegin": the previous-file button.
    static const QString PlaylistName; ///< "Playlist": the show-playlist check box.
    static const QString ShuffleName; ///< "Shuffle": the shuffle check box.
    static const QString RepeatName; ///< "Repeat": the repeat check box.
    static const QString FullscreenName; ///< "Fullscreen": the full-screen button.
    static const QString NextFrameName; ///< "NextFrame": the next-frame button.
    static const QString PrevFrameName; ///< "PrevFrame": the previous-frame button.
    static const QString InputViewModeName; ///< "inputViewMode": the input view-mode button.
    static const QString OutputViewModeName; ///< "outputViewMode": the output view-mode button.
    static const QString EffectsName; ///< "Effects": the effects button.
    static const QString ProgressName; ///< "Progress": the timeline (a TimelineSlider).
    static const QString ProgressEditName; ///< "ProgressEdit": the position field (a TimeEdit).
    static const QString TotalEditName; ///< "TotalEdit": the duration field (a TimeEdit).
    static const QString VolumeControlName; ///< "volumeControl": the volume control (any widget
                                            ///< with the volume control's signals and slots).
    //@}

    /// \name Groups of the identifiers above
    //@{
    /// CtrlPlayPause and CtrlStop.
    static constexpr unsigned int CtrlsPlayPauseStop = 0x3;
    /// CtrlNextFrame, CtrlPrevFrame, CtrlGotoBegin and CtrlGotoEnd.
    static constexpr unsigned int CtrlsRewinds = 0xCC;
    /// CtrlNextFile, CtrlPrevFile, CtrlShuffle, CtrlRepeat and CtrlPlaylist.
    static constexpr unsigned int CtrlsPlaylist = 0xE00030;
    /// Ctrl3D and Ctrl3DSettings.
    static constexpr unsigned int Ctrls3D = 0xC0000;
    /// Every identifier from CtrlPlayPause to CtrlProgress, CtrlFullscreen, CtrlEffects, Ctrl3D,
    /// Ctrl3DSettings, CtrlShuffle, CtrlRepeat and CtrlPlaylist.
    static constexpr unsigned int AllCtrlsPlayer = 0xEC1BFF;
    //@}

    /// A logic without panel or listener, in the thread of its creation (which
    /// must be the GUI thread). Registers the meta-types "Tarvos::avTime" and
    /// "std::string" for the queued setters.
    explicit PlaybackControlPanelLogic(QObject* parent = nullptr);
    /// Leaves the bound panel's controls as they are.
    ~PlaybackControlPanelLogic() override;

    /// The listener is not owned; null unregisters it. Without a listener,
    /// user actions are dropped.
    void SetListener(IPlaybackControlPanelEventObserver* listener);
    /// Binds the panel's named controls, handing the previous panel's state to
    /// the new one: disconnects the old controls, takes the old widget's
    /// GetState(), brings the new controls up to date (without reporting that
    /// as user actions), connects them and finally calls the new widget's
    /// SetState(). Null unbinds.
    void SetWidget(StateWidget* widget);

    /// \name Player state, callable from any thread
    /// Each emits its *Signal counterpart; the panel updates when the signal
    /// arrives in the logic's thread.
    //@{
    /// A new source: its file name (UTF-8; empty for none, which empties the
    /// panel as OnEmpty() does) and duration in microseconds, which sets the
    /// ranges of "Progress", "ProgressEdit" and "TotalEdit" and enables the
    /// transport buttons when it is not 0.
    void SetSourceInfo(const std::string& fileName, Tarvos::avTime duration);
    /// The source's duration in microseconds; 0 disables the transport buttons.
    void SetDuration(Tarvos::avTime duration);
    /// The playing position in microseconds: moves "Progress", sets
    /// "ProgressEdit" unless it has the focus and enables the frame steps that
    /// stay within the file. Ignored while the user drags "Progress" or
    /// without a source. While the panel is out of sight (hidden, never shown,
    /// in a minimised window, or slid away) only the position is kept: the
    /// controls take it when the panel shows again.
    void SetPosition(Tarvos::avTime position);
    /// The player's volume, 0 to 100, passed on to the volume control's SetVolume().
    void SetAudioVolume(int volume);
    /// The player's mute state, passed on to the volume control's Mute().
    void MuteAudio(bool mute);
    //@}

    /// Remembers and shows the state of the "Playlist" check box; the box
    /// reports the change through OnCheckboxSwitch() like a user's.
    void SetPlaylistState(bool checked);
    /// Remembers and shows the state of the "Shuffle" check box, which
    /// reports the change through OnCheckboxSwitch().
    void SetShuffleState(bool checked);
    /// Remembers and shows the state of the "Repeat" check box, which reports
    /// the change through OnCheckboxSwitch().
    void SetRepeatState(bool checked);
    /// Remembers and shows the full-screen flag on "Fullscreen", without a
    /// listener call.
    void SetFullscreenChecked(bool checked);
    /// Sets the check box only; the remembered playlist state stays, and the
    /// next binding or update shows that again.
    void SetPlaylistChecked(bool checked);
    /// Enables "ToEnd" when a next file can be reached and "ToBegin" when a
    /// previous one can (PlaylistController::GetRewindStates()).
    void SetPlaylistRewinds(bool next, bool previous);

public slots:
    /// The player plays: "PlayPause" shows pause (its "isPlay" property false)
    /// and "Stop" is enabled.
    void OnPlay();
    /// The player pauses: "PlayPause" shows play ("isPlay" true) and "Stop"
    /// is enabled.
    void OnPause();
    /// The player stopped: "PlayPause" shows play and "Stop" is disabled.
    void OnStop();
    /// A file was opened, with or without video and audio: "Fullscreen"
    /// follows video; "Progress", "NextFrame" and (with audio)
    /// "volumeControl" are enabled if the duration is known; "Stop" and
    /// "PrevFrame" are disabled. Call it after SetSourceInfo().
    void OnFile(bool video = true, bool audio = true);
    /// No file: forgets the source and the duration, shows play and disables
    /// "Stop", "PrevFrame", "NextFrame", "Progress", "Fullscreen" and "volumeControl".
    void OnEmpty();
    /// Bound to the "Progress" slider's sliderPressed(): from now until
    /// OnStopDragProgress() the player's positions are ignored and slider
    /// moves become OnSeek() calls. Reports OnProgressDragStarted().
    void OnStartDragProgress();
    /// Bound to the slider's sliderReleased(): ends the drag and reports
    /// OnProgressDragFinished().
    void OnStopDragProgress();
    /// Bound to "Fullscreen"'s clicked(): toggles the full-screen flag,
    /// reports it with OnCheckboxSwitch(CtrlFullscreen, flag) and brings every
    /// control up to date.
    void OnFullscreenSwitched();

signals:
    /// \name Declared for the host
    /// The logic never emits these.
    //@{
    /// Never emitted.
    void PlayPause();
    /// Never emitted.
    void Pause();
    /// Never emitted.
    void Stop();
    /// Never emitted.
    void NextFrame();
    /// Never emitted.
    void PrevFrame();
    /// Never emitted.
    void Effects();
    /// Never emitted.
    void OnShowPlaylist(int show);
    //@}

    /// Relays every value change of the "Progress" slider, in slider positions
    /// (see TimelineSlider::position2time()), whoever moved it.
    void Seek(int time);

    /// \name Hand-over of the thread-safe setters
    /// Emitted by the setter of the same name, in the caller's thread, and
    /// connected to the logic itself so that the work runs in its thread.
    //@{
    /// Emitted by SetPosition() (microseconds) while the panel is in sight, and
    /// with 0 when an empty source arrives.
    void SetPositionSignal(qint64 position);
    /// Emitted by SetSourceInfo().
    void SetSourceSignal(const std::string& fileName, Tarvos::avTime duration);
    /// Emitted by SetDuration().
    void SetDurationSignal(Tarvos::avTime duration);
    /// Emitted by SetAudioVolume().
    void SetAudioVolumeSignal(int volume);
    /// Emitted by MuteAudio().
    void MuteAudioSignal(bool mute);
    //@}
    /// Towards the bound volume control's SetVolume(): the player's volume,
    /// and, whenever the controls are brought up to date, the volume that the
    /// control reported last.
    void SetVolumeSignal(int volume);
    /// Towards the bound volume control's Mute(), like SetVolumeSignal().
    void SetMutedSignal(bool muted);

protected:
    /// Brings the position controls up to date when the bound panel or its
    /// window shows again.
    bool eventFilter(QObject* watched, QEvent* event) override;
    /// Whether the bound panel is out of sight although shown, for a panel
    /// moved off the screen; false by default. Bringing it back in sight
    /// brings the position controls up to date.
    void SetPanelOutOfView(bool outOfView);

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
    // Whether the bound panel can be seen; positions wait while it cannot.
    bool PanelInSight() const;
    // Follows the panel in and out of sight; in sight, it takes the position
    // that waited.
    void UpdateSight();
    // The position a report left while the panel was out of sight, if any,
    // becomes the panel's; true when there was one.
    bool TakeWaitingPosition();
    void WatchPanel(bool watch);
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

    bool m_playlistState = true;
    bool m_shuffleState = false;
    bool m_repeatState = false;
    bool m_fullscreenChecked = false;
    bool m_isPlay = true;
    Tarvos::avTime m_position = 0;
    int m_volume = 0;
    bool m_muted = false;
    bool m_dragging = false;
    bool m_outOfView = false;
    // A position signal arrived while the panel was out of sight.
    bool m_positionPending = false;
    // Shared with the reporting threads: whether the panel was in sight when
    // last looked at, and the latest report, which waits while it is not.
    std::atomic<bool> m_inSight { false };
    std::atomic<bool> m_positionWaiting { false };
    std::atomic<Tarvos::avTime> m_reportedPosition { 0 };
    IPlaybackControlPanelEventObserver* m_listener = nullptr; // not owned
    // Not owned. Guarded, so that a panel the host deletes while it is bound
    // reads as missing instead of dangling.
    QPointer<StateWidget> m_widget;
    // The bound panel's window, watched for leaving the minimised state.
    QPointer<QWidget> m_window;
    QMap<QString, QPointer<QWidget>> m_controls;
    Tarvos::avTime m_duration = 0;
    QStringList m_controlNames;
    std::string m_fileName;
    bool m_playPauseEnabled = false;
    bool m_stopEnabled = false;
    bool m_effectsEnabled = true;
    bool m_nextFrameEnabled = false;
    bool m_prevFrameEnabled = false;
};

} // namespace Tarvos::Gui
