#pragma once

#include <QPersistentModelIndex>
#include <string>

namespace Tarvos::Gui {

// What the user does in a PlaylistListView: double clicks, key presses, drops
// and track choices. The view only reports; the observer decides.
class IPlaylistWidgetEventObserver
{
public:
    // A left-button double click on a row.
    virtual void OnPlaylistWidgetDoubleClicked(const QPersistentModelIndex& index) = 0;
    // The key code without modifiers.
    virtual void OnPlaylistWidgetKeyPress(int key) = 0;
    // A file (UTF-8 path) to insert at row.
    virtual void OnFileDropped(const std::string& path, int row) = 0;
    // The same for the dragged entry that was the active one.
    virtual void OnActiveFileDropped(const std::string& path, int row) = 0;
    // A stream of the entry's media information was chosen.
    virtual void OnPlaylistWidgetAudioTrackSelected(
        QPersistentModelIndex index, unsigned int stream)
        = 0;
    virtual void OnPlaylistWidgetVideoTrackSelected(
        QPersistentModelIndex index, unsigned int stream)
        = 0;
    virtual ~IPlaylistWidgetEventObserver() = default;
};

} // namespace Tarvos::Gui
