#pragma once

#include "host/avTime.h"

namespace Tarvos::Gui {

/// The host's listener of a playback control panel: every user action on the
/// panel arrives here, in the GUI thread, synchronously inside the slot that
/// handles the control's signal, while the listener is registered with
/// PlaybackControlPanelLogic::SetListener(). The panel does not own it.
class IPlaybackControlPanelEventObserver
{
public:
    /// Destroyed by the host; never by the panel.
    virtual ~IPlaybackControlPanelEventObserver() = default;

    /// A push button was clicked. control is one of
    /// PlaybackControlPanelLogic::CtrlPlayPause, CtrlStop, CtrlNextFile
    /// ("ToEnd"), CtrlPrevFile ("ToBegin"), CtrlNextFrame, CtrlPrevFrame or
    /// CtrlEffects.
    virtual void OnButtonClick(unsigned int control) = 0;
    /// The user asks the player to go to position (microseconds, a whole
    /// number of milliseconds): while dragging the "Progress" slider, or on
    /// Enter in the "ProgressEdit" field.
    virtual void OnSeek(Tarvos::avTime position) = 0;
    /// The user pressed the "Progress" slider; OnSeek() calls follow.
    virtual void OnProgressDragStarted() = 0;
    /// The user released the "Progress" slider.
    virtual void OnProgressDragFinished() = 0;
    /// A check box or check button changed its state. control is
    /// PlaybackControlPanelLogic::CtrlPlaylist, CtrlShuffle or CtrlRepeat (also
    /// when the host's own setter changed the box; partially checked counts as
    /// unchecked), or CtrlFullscreen with the panel's toggled full-screen flag.
    virtual void OnCheckboxSwitch(unsigned int control, bool checked) = 0;
    /// The "volumeControl" widget reports a new volume, 0 to 100.
    virtual void OnVolumeChanged(int volume) = 0;
    /// The "volumeControl" widget reports a new mute state.
    virtual void OnMuteChanged(bool mute) = 0;
};

} // namespace Tarvos::Gui
