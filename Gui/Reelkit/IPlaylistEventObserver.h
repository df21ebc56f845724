#pragma once

#include <string>

namespace Tarvos::Gui {

// What the host hears from its PlaylistController: the user's actions in the
// list and the changes of the list, of its active entry and of the rewind
// states. Implemented by the host; the controller does not own it.
class IPlaylistEventObserver
{
public:
    // The key code as the list view reports it, without modifiers.
    virtual void OnPlaylistKeyPress(int key) = 0;
    // The controller does not step by itself; the host answers with StepTo(row).
    virtual void OnPlaylistItemDoubleClicked(int row) = 0;
    // −1 when no entry is active.
    virtual void OnPlaylistActiveItemChanged(int row) = 0;
    // PlaylistController::RewindNext and RewindPrev flags.
    virtual void OnPlaylistRewindStatesChanged(int states) = 0;
    // The host inserts the file itself, at that row, if it wants it.
    virtual void OnPlaylistFileDropped(const std::string& path, int row) = 0;
    virtual void OnPlaylistChanged() = 0;
    // A stream of the active entry was chosen.
    virtual void OnPlaylistAudioTrackSelected(unsigned int track) = 0;
    virtual void OnPlaylistVideoTrackSelected(unsigned int track) = 0;
    virtual ~IPlaylistEventObserver() = default;
};

} // namespace Tarvos::Gui
