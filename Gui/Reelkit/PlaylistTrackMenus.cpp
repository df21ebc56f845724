#include "Gui/Reelkit/PlaylistTrackMenus.h"

#include "Gui/Reelkit/PlaylistItemData.h"
#include "host/FormatTags.h"
#include "host/LocalizationManager.h"
#include "host/MediaSourceInfo.h"
#include "host/Property.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>
#include <boost/format.hpp>
#include <string>
#include <utility>
#include <vector>

namespace Tarvos::Gui {

namespace {

// The translation context of the labels, spelled out: the translation tools do
// not read nested namespace definitions.
constexpr char TranslationContext[] = "Tarvos::Gui::PlaylistListView";

// (stream index, UTF-8 label) in stream order, and the stream to check.
struct TrackList
{
    std::vector<std::pair<int, std::string>> tracks;
    int mainStream = -1;

    // The main stream if there is one, else the first; −1 without streams.
    int DefaultStream() const
    {
        if (tracks.empty())
            return -1;
        return mainStream != -1 ? mainStream : tracks.front().first;
    }
};

std::string CodecName(const Core::Property& codecInfo)
{
    return Core::GetLocalizationManager().GetCodecName(
        codecInfo[Conf::IFormatCodec::TAG_CODEC_ID].GetString());
}

bool IsMainStream(const Core::Property& codecInfo)
{
    return codecInfo.ChildExists(Conf::IFormatCodec::TAG_MAIN_STREAM)
        && codecInfo[Conf::IFormatCodec::TAG_MAIN_STREAM].GetBool();
}

std::string VideoTrackLabel(int number, const Core::Property& codecInfo)
{
    const Core::Property::Ratio fps = codecInfo[Conf::IFormatCodecVideo::TAG_FPS].GetRatio();
    const double frameRate = fps.denominator() > 0
        ? static_cast<double>(fps.numerator()) / static_cast<double>(fps.denominator())
        : 0.0;
    const auto label = [&](const std::string& format) {
        return (boost::format(format) % number
            % codecInfo[Conf::IFormatCodecVideo::TAG_WIDTH].GetInt64()
            % codecInfo[Conf::IFormatCodecVideo::TAG_HEIGHT].GetInt64() % frameRate
            % CodecName(codecInfo))
            .str();
    };
    static const char* const format
        = QT_TRANSLATE_NOOP("Tarvos::Gui::PlaylistListView", "%i) %i:%i, %.2f FPS (%s)");
    try {
        return label(QCoreApplication::translate(TranslationContext, format).toStdString());
    } catch (const boost::io::format_error&) {
        // A translation that lost a placeholder must not take the menu down.
        return label(format);
    }
}

std::string AudioTrackLabel(int number, const Core::Property& codecInfo)
{
    const Core::Property& metadata = codecInfo["metadata"];
    const bool hasLanguage = metadata.ChildExists(Conf::IFormatCodec::TAG_LANGUAGE);
    std::string label = (boost::format("%i) ") % number).str();
    if (hasLanguage)
        label += metadata[Conf::IFormatCodec::TAG_LANGUAGE].GetString();
    if (metadata.ChildExists(Conf::IFormatFile::TAG_TITLE)) {
        if (hasLanguage)
            label += ", ";
        label += metadata[Conf::IFormatFile::TAG_TITLE].GetString();
    } else if (hasLanguage) {
        label += ' ';
    }
    return label + (boost::format("(%s)") % CodecName(codecInfo)).str();
}

// Stored 0 and −1 both mean that the user has not chosen.
int Choice(const TrackList& list, int selected)
{
    return selected > 0 ? selected : list.DefaultStream();
}

void FillMenu(QMenu* menu, QActionGroup* group, const TrackList& list, int checked)
{
    menu->clear();
    for (QAction* action : group->actions())
        group->removeAction(action);
    menu->setEnabled(!list.tracks.empty());
    for (const auto& [stream, label] : list.tracks) {
        QAction* action = menu->addAction(QString::fromStdString(label));
        action->setCheckable(true);
        action->setData(stream);
        group->addAction(action);
        if (stream == checked)
            action->setChecked(true);
    }
}

} // namespace

void PlaylistTrackMenus::Fill(QMenu* videoMenu, QActionGroup* videoGroup, QMenu* audioMenu,
    QActionGroup* audioGroup, const PlaylistItemData& entry)
{
    const PlaylistItemData::InfoPtr info = entry.GetInfo();
    TrackList video;
    TrackList audio;
    // A still image has no tracks to choose: both sub-menus end up empty.
    const unsigned streamCount
        = !info || Conf::IsImageContainer(info->GetFormatId()) ? 0 : info->GetStreamCount();
    for (unsigned i = 0; i < streamCount; ++i) {
        const Core::Property& codecInfo = info->GetStreamCodecInfo(i);
        const int stream = static_cast<int>(i);
        TrackList* list = nullptr;
        std::string label;
        switch (info->GetStreamMediaType(i)) {
        case Sarnet::MediaType::Video:
            list = &video;
            label = VideoTrackLabel(int(video.tracks.size()) + 1, codecInfo);
            break;
        case Sarnet::MediaType::Audio:
            list = &audio;
            label = AudioTrackLabel(int(audio.tracks.size()) + 1, codecInfo);
            break;
        default:
            continue;
        }
        list->tracks.emplace_back(stream, std::move(label));
        if (list->mainStream == -1 && IsMainStream(codecInfo))
            list->mainStream = stream;
    }
    FillMenu(videoMenu, videoGroup, video, Choice(video, entry.GetSelectedVideoStream()));
    FillMenu(audioMenu, audioGroup, audio, Choice(audio, entry.GetSelectedAudioStream()));
}

int PlaylistTrackMenus::StreamOf(const QAction* action)
{
    const QVariant stream = action ? action->data() : QVariant();
    return stream.isValid() ? stream.toInt() : -1;
}

} // namespace Tarvos::Gui
