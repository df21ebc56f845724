#include "MediaSession.h"

#include "Mpris.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>

namespace Player {

const char* const MediaSession::ServiceName = "org.mpris.MediaPlayer2.reelkit";
const char* const MediaSession::ObjectPath = "/org/mpris/MediaPlayer2";

MediaSession::MediaSession(QObject* parent)
    : QObject(parent)
{}

QString MediaSession::Publish(QDBusConnection& bus)
{
    if (!findChild<MprisRoot*>()) {
        new MprisRoot(this);
        new MprisPlayer(this, bus);
    }
    if (!bus.registerObject(QString::fromLatin1(ObjectPath), this))
        return QString();
    const QString name = QString::fromLatin1(ServiceName);
    const QString instance
        = name + QStringLiteral(".instance%1").arg(QCoreApplication::applicationPid());
    for (const QString& candidate : { name, instance }) {
        if (bus.interface()->registerService(candidate, QDBusConnectionInterface::DontQueueService,
                QDBusConnectionInterface::DontAllowReplacement)
            == QDBusConnectionInterface::ServiceRegistered)
            return candidate;
    }
    bus.unregisterObject(QString::fromLatin1(ObjectPath));
    return QString();
}

void MediaSession::SetStatus(Status status)
{
    if (status == m_status)
        return;
    m_status = status;
    emit StatusChanged();
}

void MediaSession::SetTrack(const Track& track)
{
    m_track = track;
    ++m_trackNumber;
    emit TrackChanged();
}

void MediaSession::SetVolume(double volume)
{
    if (qFuzzyCompare(volume, m_volume))
        return;
    m_volume = volume;
    emit VolumeChanged();
}

void MediaSession::SetCanStep(bool next, bool previous)
{
    if (next == m_canGoNext && previous == m_canGoPrevious)
        return;
    m_canGoNext = next;
    m_canGoPrevious = previous;
    emit CanStepChanged();
}

void MediaSession::SetPositionSource(std::function<Tarvos::avTime()> position)
{
    m_position = std::move(position);
}

} // namespace Player
