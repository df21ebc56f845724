#pragma once

#include "WorkerThread.h"
#include "host/MediaSourceInfo.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <boost/intrusive_ptr.hpp>
#include <string>

namespace Player {

// Describes media files with libavformat on a thread of its own, so that a
// slow disk or a large folder never stalls the window.
class MediaProbe : public QObject
{
    Q_OBJECT

public:
    using InfoPtr = boost::intrusive_ptr<const Tarvos::Sarnet::MediaSourceInfo>;

    explicit MediaProbe(QObject* parent = nullptr);

    // Queues a file; its answer comes as Described or Failed, in request order.
    void Probe(const std::string& path);
    // What an earlier Described said about the file (UTF-8 path); null if nothing.
    InfoPtr Known(const QString& path) const { return m_known.value(path); }

    // Reads the file in the calling thread; null when it is no media file.
    static InfoPtr Describe(const std::string& path);

signals:
    void Described(Player::MediaProbe::InfoPtr info);
    void Failed(std::string path);

private:
    QHash<QString, InfoPtr> m_known;
    // Last, so that its jobs end before the members they use go.
    WorkerThread m_worker;
};

} // namespace Player

Q_DECLARE_METATYPE(Player::MediaProbe::InfoPtr)
