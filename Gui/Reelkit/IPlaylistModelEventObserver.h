#pragma once

namespace Tarvos::Gui {

/// Told by PlaylistModel whenever rows are inserted, removed or rewritten;
/// registered with PlaylistModel::AddObserver(), not owned.
class IPlaylistModelEventObserver
{
public:
    /// Called after each change of the rows, in the GUI thread.
    virtual void OnPlaylistModelChanged() = 0;
    /// Destroyed by its owner; never by the model.
    virtual ~IPlaylistModelEventObserver() = default;
};

} // namespace Tarvos::Gui
