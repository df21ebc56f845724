#pragma once

#include "host/avTime.h"

namespace Tarvos::Gui {

// The host's listener of a playback control panel: every user action on the
// panel arrives here, in the GUI thread, while the listener is registered.
class IPlaybackControlPanelEventObserver
{
public:
    virtual ~IPlaybackControlPanelEventObserver() = default;

    // A push button was clicked; control is one of the panel's Ctrl* identifiers.
    virtual void OnButtonClick(unsigned int control) = 0;
    // The user asks the player to go to position (microseconds).
    virtual void OnSeek(Tarvos::avTime position) = 0;
    virtual void OnProgressDragStarted() = 0;
    virtual void OnProgressDragFinished() = 0;
    // A check box or check button changed its state.
    virtual void OnCheckboxSwitch(unsigned int control, bool checked) = 0;
    virtual void OnVolumeChanged(int volume) = 0;
    virtual void OnMuteChanged(bool mute) = 0;
};

} // namespace Tarvos::Gui
