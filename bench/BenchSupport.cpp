#include "BenchSupport.h"

#include "Gui/Reelkit/Playlist.h"
#include "Gui/Reelkit/PlaylistController.h"
#include "Gui/Reelkit/PlaylistListView.h"

#include <QCoreApplication>
#include <cstdio>

namespace Bench {

std::string FilmPath(int number)
{
    static const char* const Extensions[] = { "mkv", "mp4", "avi" };
    char path[128];
    std::snprintf(path, sizeof path,
        "/home/viewer/Videos/Series %03d/Season %02d/Episode %06d - A long way home.%s",
        number / 1000, number / 100 % 10, number, Extensions[number % 3]);
    return path;
}

void Drain()
{
    // A repaint may start a zero-delay timer whose work asks for one more repaint.
    for (int pass = 0; pass < 3; ++pass) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

ShownPlaylist::ShownPlaylist()
    : frame(new Tarvos::Gui::Playlist)
    , view(frame->findChild<Tarvos::Gui::PlaylistListView*>())
    , controller(frame->GetController())
{
    // About forty rows in sight.
    frame->resize(400, 1000);
    frame->show();
    controller->AddEventObserver(&observer);
    Drain();
}

ShownPlaylist::~ShownPlaylist()
{
    controller->RemoveEventObserver(&observer);
    // The view must outlive the controller.
    controller.reset();
    delete frame;
}

void ShownPlaylist::Fill(int count)
{
    for (int number = 0; number < count; ++number)
        controller->AddFile(Tarvos::ioPath(FilmPath(number)), -1, false);
    Drain();
}

} // namespace Bench
