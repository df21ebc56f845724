#pragma once

#include <string>

namespace Tarvos::Gui {

/// What the host hears from its PlaylistController: the user's actions in the
/// list and the changes of the list, of its active entry and of the rewind
/// states. Implemented by the host and registered with
/// PlaylistController::AddEventObserver(); the controller does not own it.
/// Every call comes in the GUI thread.
class IPlaylistEventObserver
{
public:
    /// A key pressed in the list (all but PlaylistListView::ParentShortcuts,
    /// and before the view moves its cursor): the key code (Qt::Key), without
    /// modifiers.
    virtual void OnPlaylistKeyPress(int key) = 0;
    /// A row was double-clicked with the left button. The controller does not
    /// step by itself; the host answers with PlaylistController::StepTo(row).
    virtual void OnPlaylistItemDoubleClicked(int row) = 0;
    /// Another entry became active (or the same one again); −1 when no entry
    /// is active.
    virtual void OnPlaylistActiveItemChanged(int row) = 0;
    /// PlaylistController::RewindNext and RewindPrev flags; sent at
    /// registration and after each activation, change of strategy or repeat,
    /// and insertion or removal through the controller, whether or not the
    /// flags changed.
    virtual void OnPlaylistRewindStatesChanged(int states) = 0;
    /// A file (UTF-8 path) was dropped on the list, or a row moved within it.
    /// The host inserts the file itself, at that row, if it wants it; for a
    /// moved active entry the controller then activates what is at row.
    virtual void OnPlaylistFileDropped(const std::string& path, int row) = 0;
    /// Rows were inserted, removed or rewritten.
    virtual void OnPlaylistChanged() = 0;
    /// The user chose audio stream track (an index into the entry's media
    /// information) for the active entry; the entry already holds the choice.
    virtual void OnPlaylistAudioTrackSelected(unsigned int track) = 0;
    /// The user chose video stream track for the active entry, as for audio.
    virtual void OnPlaylistVideoTrackSelected(unsigned int track) = 0;
    /// Destroyed by the host; never by the controller.
    virtual ~IPlaylistEventObserver() = default;
};

} // namespace Tarvos::Gui
