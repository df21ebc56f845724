#pragma once

#include "Gui/Reelkit/IPlaylistEventObserver.h"

#include <boost/intrusive_ptr.hpp>
#include <string>
#include <vector>

namespace Tarvos::Gui {
class Playlist;
class PlaylistController;
class PlaylistListView;
} // namespace Tarvos::Gui

namespace Bench {

// The playlist lengths to run: 1,000 to 1,000,000 entries, or one tiny list
// when the suite only checks that every benchmark still works.
struct Sizes
{
    std::vector<int> entries;
    bool tiny = false;
};

// A film's path as a media library names it; unique per number, about 70 bytes.
std::string FilmPath(int number);

// Lets the GUI thread do everything that a change left pending: queued
// calls, layouts, repaints and the zero-delay timers that repaints start.
void Drain();

// What a host hears from the playlist; it only counts.
class CountingObserver : public Tarvos::Gui::IPlaylistEventObserver
{
public:
    void OnPlaylistKeyPress(int) override { ++calls; }
    void OnPlaylistItemDoubleClicked(int) override { ++calls; }
    void OnPlaylistActiveItemChanged(int) override { ++calls; }
    void OnPlaylistRewindStatesChanged(int) override { ++calls; }
    void OnPlaylistFileDropped(const std::string&, int) override { ++calls; }
    void OnPlaylistChanged() override { ++calls; }
    void OnPlaylistAudioTrackSelected(unsigned int) override { ++calls; }
    void OnPlaylistVideoTrackSelected(unsigned int) override { ++calls; }

    long long calls = 0;
};

// A shown playlist frame with its controller and one observer, as a player has it.
class ShownPlaylist
{
public:
    ShownPlaylist();
    ~ShownPlaylist();

    ShownPlaylist(const ShownPlaylist&) = delete;
    ShownPlaylist& operator=(const ShownPlaylist&) = delete;

    // Appends FilmPath(0) … FilmPath(count − 1).
    void Fill(int count);

    Tarvos::Gui::Playlist* frame;
    Tarvos::Gui::PlaylistListView* view;
    boost::intrusive_ptr<Tarvos::Gui::PlaylistController> controller;
    CountingObserver observer;
};

// The CPU share runs last ten seconds per state, or a fifth of a second when tiny.
// The player's hover previews on its sample clip (built with the player only).
void RegisterPreviewBenchmarks();
void RegisterPanelBenchmarks(bool tiny);
void RegisterRowPaintBenchmarks(const Sizes& sizes);
void RegisterPlaylistBenchmarks(const Sizes& sizes);

} // namespace Bench
