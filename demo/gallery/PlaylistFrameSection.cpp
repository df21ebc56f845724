#include "Gui/Reelkit/Playlist.h"
#include "Gui/Reelkit/PlaylistController.h"
#include "Gui/Reelkit/PlaylistListView.h"
#include "Sections.h"
#include "host/FormatTags.h"
#include "host/MediaSourceInfo.h"

#include <QMenu>

using namespace Tarvos;

namespace {

Core::Property VideoStream(std::int64_t width, std::int64_t height, const char* codec)
{
    Core::Property stream;
    stream.SetChild(Conf::IFormatCodecVideo::TAG_WIDTH, width);
    stream.SetChild(Conf::IFormatCodecVideo::TAG_HEIGHT, height);
    stream.SetChild(Conf::IFormatCodecVideo::TAG_FPS, Core::Property::Ratio(25, 1));
    stream.SetChild(Conf::IFormatCodec::TAG_CODEC_ID, codec);
    stream.SetChild(Conf::IFormatCodec::TAG_MAIN_STREAM, true);
    return stream;
}

Core::Property AudioStream(const char* codec, const char* language)
{
    Core::Property stream;
    stream.SetChild(Conf::IFormatCodec::TAG_CODEC_ID, codec);
    stream["metadata"].SetChild(Conf::IFormatCodec::TAG_LANGUAGE, language);
    return stream;
}

} // namespace

// The complete playlist widget as a host shows it: entries with and without
// media information, the playing one, one that could not be read, the add
// buttons and the host's context menu.
QWidget* CreatePlaylistFrameSection(QWidget* parent)
{
    auto* frame = new Gui::Playlist(parent);
    frame->setStyleSheet(
        QStringLiteral("Tarvos--Gui--PlaylistListView { background: #2b2b2b; }"
                       "QPushButton { color: white; background: #3c3f41; border: 1px solid #555;"
                       " border-radius: 3px; padding: 3px 12px; }"));

    auto* menu = new QMenu(frame);
    menu->addAction(QStringLiteral("Play"));
    menu->addAction(QStringLiteral("File information"))
        ->setObjectName(Tarvos::Gui::PlaylistListView::FileInformationName);
    menu->addMenu(QStringLiteral("Video track"))
        ->setObjectName(Tarvos::Gui::PlaylistListView::VideoTrackName);
    menu->addMenu(QStringLiteral("Audio track"))
        ->setObjectName(Tarvos::Gui::PlaylistListView::AudioTrackName);
    frame->SetContextMenu(menu);

    const auto controller = frame->GetController();
    const char* const paths[] = { "/media/videos/holiday.mkv", "/media/videos/the sea at night.mkv",
        "/media/videos/interview.mp4", "/media/videos/broken.avi", "/media/music/concert.mka" };
    for (const char* path : paths)
        controller->AddFile(ioPath(path), -1, false);

    auto holiday = Sarnet::MediaSourceInfo::Create(ioPath(paths[0]), 5025000000, "matroska,webm");
    holiday->AddStream(Sarnet::MediaType::Video, VideoStream(1920, 1080, "h264"));
    holiday->AddStream(Sarnet::MediaType::Audio, AudioStream("aac", "eng"));
    controller->SetFileInfo(holiday);
    auto sea = Sarnet::MediaSourceInfo::Create(ioPath(paths[1]), 2712000000, "matroska,webm");
    sea->AddStream(Sarnet::MediaType::Video, VideoStream(1280, 720, "hevc"));
    sea->AddStream(Sarnet::MediaType::Audio, AudioStream("opus", "fra"));
    sea->AddStream(Sarnet::MediaType::Audio, AudioStream("ac3", "eng"));
    controller->SetFileInfo(sea);
    auto concert = Sarnet::MediaSourceInfo::Create(ioPath(paths[4]), 7384000000, "matroska,webm");
    concert->AddStream(Sarnet::MediaType::Audio, AudioStream("flac", "deu"));
    controller->SetFileInfo(concert);
    controller->SetFileInfoFailed(paths[3]);
    controller->StepTo(1);

    frame->setFixedSize(369, 300);
    return frame;
}
