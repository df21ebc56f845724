#include "Mpris.h"

#include "FolderScanner.h"
#include "MediaSession.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QMetaProperty>
#include <QUrl>

namespace Player {

MprisRoot::MprisRoot(MediaSession* session)
    : QDBusAbstractAdaptor(session)
    , m_session(session)
{}

QString MprisRoot::Identity() const
{
    return QCoreApplication::applicationName();
}

QString MprisRoot::DesktopEntry() const
{
    return QStringLiteral("reelkit-player");
}

QStringList MprisRoot::SupportedUriSchemes() const
{
    return { QStringLiteral("file"), QStringLiteral("dvd") };
}

QStringList MprisRoot::SupportedMimeTypes() const
{
    return FolderScanner::MediaTypes();
}

void MprisRoot::Raise()
{
    emit m_session->RaiseRequested();
}

void MprisRoot::Quit()
{
    emit m_session->QuitRequested();
}

const char* const MprisPlayer::NoTrack = "/org/mpris/MediaPlayer2/TrackList/NoTrack";
const char* const MprisPlayer::TrackPrefix = "/org/reelkit/Track/";

MprisPlayer::MprisPlayer(MediaSession* session, const QDBusConnection& bus)
    : QDBusAbstractAdaptor(session)
    , m_session(session)
    , m_bus(bus)
{
    connect(session, &MediaSession::StatusChanged, this,
        [this] { Announce({ QStringLiteral("PlaybackStatus") }); });
    connect(session, &MediaSession::TrackChanged, this, [this] {
        Announce({ QStringLiteral("Metadata"), QStringLiteral("CanPlay"),
            QStringLiteral("CanPause"), QStringLiteral("CanSeek") });
    });
    connect(session, &MediaSession::VolumeChanged, this,
        [this] { Announce({ QStringLiteral("Volume") }); });
    connect(session, &MediaSession::CanStepChanged, this, [this] {
        Announce({ QStringLiteral("CanGoNext"), QStringLiteral("CanGoPrevious") });
    });
}

QString MprisPlayer::PlaybackStatus() const
{
    switch (m_session->GetStatus()) {
    case MediaSession::Status::Playing:
        return QStringLiteral("Playing");
    case MediaSession::Status::Paused:
        return QStringLiteral("Paused");
    case MediaSession::Status::Stopped:
        break;
    }
    return QStringLiteral("Stopped");
}

QDBusObjectPath MprisPlayer::TrackId() const
{
    return QDBusObjectPath(m_session->GetTrack().path.isEmpty()
            ? QString::fromLatin1(NoTrack)
            : QString::fromLatin1(TrackPrefix) + QString::number(m_session->GetTrackNumber()));
}

QVariantMap MprisPlayer::Metadata() const
{
    QVariantMap metadata { { QStringLiteral("mpris:trackid"), QVariant::fromValue(TrackId()) } };
    const MediaSession::Track& track = m_session->GetTrack();
    if (track.path.isEmpty())
        return metadata;
    const QUrl url = track.path.contains(QLatin1String("://")) ? QUrl(track.path)
                                                               : QUrl::fromLocalFile(track.path);
    metadata.insert(QStringLiteral("xesam:url"), url.toString(QUrl::FullyEncoded));
    metadata.insert(QStringLiteral("xesam:title"), track.title);
    if (track.duration > 0)
        metadata.insert(QStringLiteral("mpris:length"), qlonglong(track.duration));
    return metadata;
}

qlonglong MprisPlayer::Position() const
{
    return m_session->GetPosition();
}

double MprisPlayer::Volume() const
{
    return m_session->GetVolume();
}

void MprisPlayer::SetVolume(double volume)
{
    emit m_session->VolumeRequested(qBound(0.0, volume, 1.0));
}

bool MprisPlayer::CanGoNext() const
{
    return m_session->CanGoNext();
}

bool MprisPlayer::CanGoPrevious() const
{
    return m_session->CanGoPrevious();
}

bool MprisPlayer::CanPlay() const
{
    return !m_session->GetTrack().path.isEmpty();
}

void MprisPlayer::PlayPause()
{
    emit m_session->PlayPauseRequested();
}

void MprisPlayer::Play()
{
    if (m_session->GetStatus() != MediaSession::Status::Playing)
        emit m_session->PlayPauseRequested();
}

void MprisPlayer::Pause()
{
    if (m_session->GetStatus() == MediaSession::Status::Playing)
        emit m_session->PlayPauseRequested();
}

void MprisPlayer::Stop()
{
    emit m_session->StopRequested();
}

void MprisPlayer::Next()
{
    if (CanGoNext())
        emit m_session->NextRequested();
}

void MprisPlayer::Previous()
{
    if (CanGoPrevious())
        emit m_session->PreviousRequested();
}

void MprisPlayer::Seek(qlonglong offset)
{
    const qlonglong position = std::max<qlonglong>(0, Position() + offset);
    const Tarvos::avTime duration = m_session->GetTrack().duration;
    if (duration > 0 && position > duration)
        Next();
    else if (CanPlay())
        SeekTo(position);
}

void MprisPlayer::SetPosition(const QDBusObjectPath& trackId, qlonglong position)
{
    if (trackId != TrackId() || !CanPlay() || position < 0
        || (m_session->GetTrack().duration > 0 && position > m_session->GetTrack().duration))
        return;
    SeekTo(position);
}

void MprisPlayer::SeekTo(qlonglong position)
{
    emit m_session->SeekRequested(position);
    emit Seeked(position);
}

void MprisPlayer::Announce(const QStringList& properties)
{
    QVariantMap changed;
    for (const QString& name : properties) {
        const QMetaProperty property
            = metaObject()->property(metaObject()->indexOfProperty(name.toLatin1().constData()));
        changed.insert(name, property.read(this));
    }
    QDBusMessage signal = QDBusMessage::createSignal(QString::fromLatin1(MediaSession::ObjectPath),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"));
    signal << QStringLiteral("org.mpris.MediaPlayer2.Player") << changed << QStringList();
    m_bus.send(signal);
}

} // namespace Player
