#pragma once

namespace Tarvos::Gui {

// Told by PlaylistModel whenever rows are inserted, removed or rewritten.
class IPlaylistModelEventObserver
{
public:
    virtual void OnPlaylistModelChanged() = 0;
    virtual ~IPlaylistModelEventObserver() = default;
};

} // namespace Tarvos::Gui
