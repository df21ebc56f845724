#pragma once

#include <QPersistentModelIndex>
#include <string>

namespace Tarvos::Gui {

/// What the user does in a PlaylistListView: double clicks, key presses, drops
/// and track choices. The view only reports; the observer decides.
/// PlaylistController implements it; registered with
/// PlaylistListView::AddEventObserver(), not owned. Calls come in the GUI thread.
class IPlaylistWidgetEventObserver
{
public:
    /// A left-button double click on a row.
    virtual void OnPlaylistWidgetDoubleClicked(const QPersistentModelIndex& index) = 0;
    /// The key code (Qt::Key) without modifiers.
    virtual void OnPlaylistWidgetKeyPress(int key) = 0;
    /// A file (UTF-8 path) to insert at row; for several files of one drop,
    /// the last comes first and all name the same row.
    virtual void OnFileDropped(const std::string& path, int row) = 0;
    /// The same for the dragged entry that was the active one.
    virtual void OnActiveFileDropped(const std::string& path, int row) = 0;
    /// The audio stream number stream (an index into the entry's media
    /// information) was chosen in the context menu for the entry at index.
    virtual void OnPlaylistWidgetAudioTrackSelected(
        QPersistentModelIndex index, unsigned int stream)
        = 0;
    /// The video stream number stream was chosen for the entry at index.
    virtual void OnPlaylistWidgetVideoTrackSelected(
        QPersistentModelIndex index, unsigned int stream)
        = 0;
    /// Destroyed by its owner; never by the view.
    virtual ~IPlaylistWidgetEventObserver() = default;
};

} // namespace Tarvos::Gui
