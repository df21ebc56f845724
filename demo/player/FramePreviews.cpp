#include "FramePreviews.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QStandardPaths>
#include <QTransform>
#include <cmath>
#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/display.h>
#include <libswscale/swscale.h>
}

namespace Player {

namespace {

struct FormatCloser
{
    void operator()(AVFormatContext* context) const { avformat_close_input(&context); }
};
struct CodecFreer
{
    void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct FrameFreer
{
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct PacketFreer
{
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
using Format = std::unique_ptr<AVFormatContext, FormatCloser>;

Format Open(const QString& path)
{
    AVFormatContext* opened = nullptr;
    if (avformat_open_input(&opened, path.toUtf8().constData(), nullptr, nullptr) < 0)
        return nullptr;
    return Format(opened);
}

// Degrees to turn the decoded picture so that it shows upright.
double Rotation(const AVStream& stream)
{
    const auto* matrix = reinterpret_cast<const int32_t*>(
        av_stream_get_side_data(&stream, AV_PKT_DATA_DISPLAYMATRIX, nullptr));
    const double angle = matrix ? av_display_rotation_get(matrix) : 0.0;
    return std::isnan(angle) ? 0.0 : -angle;
}

QImage Scaled(const AVFrame& frame, int height)
{
    const int width = qMax(2, int(qint64(frame.width) * height / qMax(frame.height, 1)));
    SwsContext* scaler = sws_getContext(frame.width, frame.height, AVPixelFormat(frame.format),
        width, height, AV_PIX_FMT_RGB32, SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (!scaler)
        return {};
    QImage image(width, height, QImage::Format_RGB32);
    uint8_t* planes[] = { image.bits() };
    const int strides[] = { int(image.bytesPerLine()) };
    sws_scale(scaler, frame.data, frame.linesize, 0, frame.height, planes, strides);
    sws_freeContext(scaler);
    return image;
}

} // namespace

FramePreviews::FramePreviews(QObject* parent)
    : QObject(parent)
    , m_worker(QStringLiteral("FramePreviews"))
{
    qRegisterMetaType<Chapters>("Player::FramePreviews::Chapters");
}

void FramePreviews::SetFile(const QString& path)
{
    const QFileInfo file(path);
    m_path = file.isFile() ? file.absoluteFilePath() : QString();
    if (m_path.isEmpty())
        return;
    m_worker.Run([this, path = m_path] { emit ChaptersRead(path, ReadChapters(path)); });
}

QString FramePreviews::Key(Tarvos::avTime time) const
{
    return m_path + QLatin1Char('@') + QString::number(time / BucketUs) + QLatin1Char('@')
        + QString::number(m_height);
}

QString FramePreviews::DefaultCacheFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation))
        .filePath(QStringLiteral("previews"));
}

QString FramePreviews::CacheFile(
    const QString& folder, const QString& path, Tarvos::avTime bucketStart, int height)
{
    const QFileInfo file(path);
    const QByteArray identity
        = (file.absoluteFilePath() + QLatin1Char('\n') + QString::number(file.size())
            + QLatin1Char('\n') + QString::number(file.lastModified().toMSecsSinceEpoch()))
              .toUtf8();
    return QDir(folder).filePath(
        QString::fromLatin1(QCryptographicHash::hash(identity, QCryptographicHash::Sha1).toHex())
        + QStringLiteral("-%1-%2.png").arg(bucketStart / BucketUs).arg(height));
}

bool FramePreviews::IsCached(Tarvos::avTime time) const
{
    return m_cache.contains(Key(time));
}

void FramePreviews::RequestPreview(Tarvos::Gui::TimelineSlider* slider, Tarvos::avTime time)
{
    if (m_path.isEmpty()) {
        slider->SetPreview(time, QImage());
        return;
    }
    const int request = ++m_requests;
    const QPointer<Tarvos::Gui::TimelineSlider> asker(slider);
    const auto answer = [this, asker, time](const QString& key, const QImage& image) {
        QMetaObject::invokeMethod(
            this,
            [this, asker, key, time, image] {
                m_cache.insert(key, image);
                if (asker)
                    asker->SetPreview(time, image);
            },
            Qt::QueuedConnection);
    };
    const QString key = Key(time);
    const auto cached = m_cache.constFind(key);
    if (cached != m_cache.constEnd()) {
        slider->SetPreview(time, *cached);
    } else {
        const Tarvos::avTime bucketStart = time / BucketUs * BucketUs;
        m_worker.Run(
            [answer, key, bucketStart, path = m_path, height = m_height, folder = m_cacheFolder] {
                const QString file
                    = folder.isEmpty() ? QString() : CacheFile(folder, path, bucketStart, height);
                QImage image(file);
                if (image.isNull()) {
                    image = Decode(path, bucketStart, height);
                    if (!file.isEmpty() && !image.isNull() && QDir().mkpath(folder))
                        image.save(file);
                }
                answer(key, image);
            });
    }
    const QString exactKey = key + QStringLiteral("@exact@") + QString::number(time);
    const auto exact = m_cache.constFind(exactKey);
    if (exact != m_cache.constEnd()) {
        slider->SetPreview(time, *exact);
        return;
    }
    m_worker.Run([this, answer, exactKey, request, time, path = m_path, height = m_height] {
        if (request != m_requests.load())
            return;
        const QImage image = Decode(path, time, height, true);
        if (!image.isNull())
            answer(exactKey, image);
    });
}

QImage FramePreviews::Decode(const QString& path, Tarvos::avTime time, int height, bool exact)
{
    const Format format = Open(path);
    if (!format || avformat_find_stream_info(format.get(), nullptr) < 0)
        return {};
    const AVCodec* codec = nullptr;
    const int index = av_find_best_stream(format.get(), AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
    if (index < 0 || !codec)
        return {};
    const AVStream& stream = *format->streams[index];
    const std::unique_ptr<AVCodecContext, CodecFreer> decoder(avcodec_alloc_context3(codec));
    if (decoder)
        decoder->thread_count = 1; // one frame: threads would only delay it
    if (!decoder || avcodec_parameters_to_context(decoder.get(), stream.codecpar) < 0
        || avcodec_open2(decoder.get(), codec, nullptr) < 0)
        return {};
    const int64_t target = av_rescale_q(time, AV_TIME_BASE_Q, stream.time_base);
    // The keyframe at or before the time: one frame decodes, however far it is.
    if (av_seek_frame(format.get(), index, target, AVSEEK_FLAG_BACKWARD) < 0)
        av_seek_frame(format.get(), index, 0, AVSEEK_FLAG_BACKWARD);
    const std::unique_ptr<AVPacket, PacketFreer> packet(av_packet_alloc());
    const std::unique_ptr<AVFrame, FrameFreer> frame(av_frame_alloc());
    bool draining = false;
    while (true) {
        const int received = avcodec_receive_frame(decoder.get(), frame.get());
        // Exact, the frames before the time are decoded and passed over.
        if (received == 0
            && (!exact || frame->best_effort_timestamp == AV_NOPTS_VALUE
                || frame->best_effort_timestamp >= target))
            break;
        if (received == 0)
            continue;
        if (received != AVERROR(EAGAIN) || draining)
            return {};
        if (av_read_frame(format.get(), packet.get()) < 0) {
            draining = true;
            avcodec_send_packet(decoder.get(), nullptr);
            continue;
        }
        if (packet->stream_index == index)
            avcodec_send_packet(decoder.get(), packet.get());
        av_packet_unref(packet.get());
    }
    const QImage image = Scaled(*frame, height);
    const double rotation = Rotation(stream);
    return rotation == 0.0 ? image : image.transformed(QTransform().rotate(rotation));
}

FramePreviews::Chapters FramePreviews::ReadChapters(const QString& path)
{
    Chapters chapters;
    const Format format = Open(path);
    if (!format)
        return chapters;
    for (unsigned i = 0; i < format->nb_chapters; ++i) {
        const AVChapter& chapter = *format->chapters[i];
        const AVDictionaryEntry* title = av_dict_get(chapter.metadata, "title", nullptr, 0);
        chapters.append({ av_rescale_q(chapter.start, chapter.time_base, AV_TIME_BASE_Q),
            title ? QString::fromUtf8(title->value) : QString() });
    }
    return chapters;
}

} // namespace Player
