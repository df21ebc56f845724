#include "MediaProbe.h"

#include "host/FormatTags.h"

#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
}

namespace Player {

namespace {

using Tarvos::Core::Property;
using Tarvos::Sarnet::MediaType;
namespace Conf = Tarvos::Conf;

struct FormatCloser
{
    void operator()(AVFormatContext* context) const { avformat_close_input(&context); }
};

MediaType TypeOf(const AVStream& stream)
{
    switch (stream.codecpar->codec_type) {
    case AVMEDIA_TYPE_VIDEO:
        // Cover art of a music file is a picture, not a track to watch.
        return (stream.disposition & AV_DISPOSITION_ATTACHED_PIC) ? MediaType::Unknown
                                                                  : MediaType::Video;
    case AVMEDIA_TYPE_AUDIO:
        return MediaType::Audio;
    default:
        return MediaType::Unknown;
    }
}

Property CodecInfo(const AVStream& stream)
{
    const AVCodecParameters& codec = *stream.codecpar;
    Property info;
    info.SetChild(Conf::IFormatCodec::TAG_CODEC_ID, avcodec_get_name(codec.codec_id));
    info.SetChild(
        Conf::IFormatCodec::TAG_MAIN_STREAM, (stream.disposition & AV_DISPOSITION_DEFAULT) != 0);
    if (codec.codec_type == AVMEDIA_TYPE_VIDEO) {
        info.SetChild(Conf::IFormatCodecVideo::TAG_WIDTH, codec.width);
        info.SetChild(Conf::IFormatCodecVideo::TAG_HEIGHT, codec.height);
        const AVRational rate
            = stream.avg_frame_rate.den > 0 ? stream.avg_frame_rate : stream.r_frame_rate;
        // A zero denominator is no ratio; 0/1 says "unknown" to the readers.
        info.SetChild(Conf::IFormatCodecVideo::TAG_FPS,
            rate.den > 0 ? Property::Ratio(rate.num, rate.den) : Property::Ratio(0));
    }
    Property metadata("metadata");
    if (const AVDictionaryEntry* language = av_dict_get(stream.metadata, "language", nullptr, 0))
        metadata.SetChild(Conf::IFormatCodec::TAG_LANGUAGE, language->value);
    if (const AVDictionaryEntry* title = av_dict_get(stream.metadata, "title", nullptr, 0))
        metadata.SetChild(Conf::IFormatFile::TAG_TITLE, title->value);
    info.Add(std::move(metadata));
    return info;
}

} // namespace

MediaProbe::MediaProbe(QObject* parent)
    : QObject(parent)
    , m_worker(QStringLiteral("MediaProbe"))
{
    qRegisterMetaType<InfoPtr>("Player::MediaProbe::InfoPtr");
    qRegisterMetaType<std::string>("std::string");
    // Emitted on the probe's thread, so queued: kept here before any later
    // receiver hears of it.
    connect(this, &MediaProbe::Described, this, [this](const InfoPtr& info) {
        m_known.insert(QString::fromStdString(info->GetFilePath().utf8string()), info);
    });
}

void MediaProbe::Probe(const std::string& path)
{
    m_worker.Run([this, path] {
        // Emitted from the probe's thread: receivers in other threads are
        // reached through queued connections.
        if (InfoPtr info = Describe(path))
            emit Described(info);
        else
            emit Failed(path);
    });
}

MediaProbe::InfoPtr MediaProbe::Describe(const std::string& path)
{
    AVFormatContext* opened = nullptr;
    if (avformat_open_input(&opened, path.c_str(), nullptr, nullptr) < 0)
        return nullptr;
    const std::unique_ptr<AVFormatContext, FormatCloser> context(opened);
    if (avformat_find_stream_info(context.get(), nullptr) < 0)
        return nullptr;

    const Tarvos::avTime duration = context->duration == AV_NOPTS_VALUE ? 0 : context->duration;
    auto info = Tarvos::Sarnet::MediaSourceInfo::Create(path, duration, context->iformat->name);
    bool playable = false;
    for (unsigned i = 0; i < context->nb_streams; ++i) {
        const AVStream& stream = *context->streams[i];
        const MediaType type = TypeOf(stream);
        playable = playable || type != MediaType::Unknown;
        info->AddStream(type, CodecInfo(stream));
    }
    // A container with neither sound nor picture has nothing to play.
    return playable ? info : nullptr;
}

} // namespace Player
