#pragma once

#include "Gui/Reelkit/ITimelinePreviewProvider.h"
#include "Gui/Reelkit/TimelineSlider.h"
#include "WorkerThread.h"

#include <QHash>
#include <QImage>
#include <QObject>
#include <QString>
#include <QVector>
#include <atomic>

namespace Player {

// Pictures for the timeline's hover previews, decoded with libavformat and
// libavcodec on a thread of their own, and the file's chapters read there on
// the way. Decoded pictures are kept in memory by file and time bucket, so a
// second hover over the same stretch answers at once, and on disk by the
// file's identity (path, size, time of change) and bucket, so that they
// outlast the player. The keyframe answers first; the exact frame follows
// when no newer hover has been asked for meanwhile. Files that are not local
// get no previews.
class FramePreviews : public QObject, public Tarvos::Gui::ITimelinePreviewProvider
{
    Q_OBJECT

public:
    using Chapters = QVector<Tarvos::Gui::TimelineSlider::Chapter>;

    // Hovers within one bucket share a picture.
    static constexpr Tarvos::avTime BucketUs = 1000 * 1000;
    static constexpr int DefaultHeight = 90;

    explicit FramePreviews(QObject* parent = nullptr);

    // The file the timelines show from now on; its chapters come as ChaptersRead.
    void SetFile(const QString& path);
    // Height in pixels of the pictures decoded from now on.
    void SetHeight(int height) { m_height = height; }
    // Where pictures are kept on disk; empty keeps them in memory only.
    void SetCacheFolder(const QString& folder) { m_cacheFolder = folder; }
    static QString DefaultCacheFolder();
    // The picture's file in folder for the file at path, time bucket and height.
    static QString CacheFile(
        const QString& folder, const QString& path, Tarvos::avTime bucketStart, int height);
    bool IsCached(Tarvos::avTime time) const;

    void RequestPreview(Tarvos::Gui::TimelineSlider* slider, Tarvos::avTime time) override;

    // The keyframe at or before time or, exact, the frame at time, decoded
    // and scaled to height with its rotation applied; null when there is no
    // picture.
    static QImage Decode(const QString& path, Tarvos::avTime time, int height, bool exact = false);
    static Chapters ReadChapters(const QString& path);

signals:
    void ChaptersRead(QString path, Player::FramePreviews::Chapters chapters);

private:
    QString Key(Tarvos::avTime time) const;

    QString m_path; // empty for none, or not local
    int m_height = DefaultHeight;
    QString m_cacheFolder = DefaultCacheFolder();
    QHash<QString, QImage> m_cache;
    // Counts requests; a refinement is decoded only for the newest.
    std::atomic<int> m_requests { 0 };
    // Last, so that its jobs end before the members they use go.
    WorkerThread m_worker;
};

} // namespace Player

Q_DECLARE_METATYPE(Player::FramePreviews::Chapters)
