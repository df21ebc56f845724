#pragma once

#include "host/avTime.h"

#include <QObject>
#include <QString>
#include <functional>

class QDBusConnection;

namespace Player {

// What the desktop's media controls see of the player and what they ask of
// it. The player keeps the state up to date and carries out the requests;
// the D-Bus adaptors only read the state and pass the requests on, so they
// work without an engine.
class MediaSession : public QObject
{
    Q_OBJECT

public:
    static const char* const ServiceName;
    static const char* const ObjectPath;

    enum class Status
    {
        Stopped,
        Playing,
        Paused
    };

    struct Track
    {
        QString path;
        QString title;
        Tarvos::avTime duration = 0;
    };

    explicit MediaSession(QObject* parent = nullptr);

    // Puts the session on the bus under the player's name, or the name with
    // the process's instance suffix when another player holds it. Returns the
    // name; empty when the bus refused.
    QString Publish(QDBusConnection& bus);

    Status GetStatus() const { return m_status; }
    void SetStatus(Status status);
    const Track& GetTrack() const { return m_track; }
    // Counts the tracks set, so that each one opened has an identity of its own.
    int GetTrackNumber() const { return m_trackNumber; }
    // An empty path: nothing is open.
    void SetTrack(const Track& track);
    // 0 to 1.
    double GetVolume() const { return m_volume; }
    void SetVolume(double volume);
    bool CanGoNext() const { return m_canGoNext; }
    bool CanGoPrevious() const { return m_canGoPrevious; }
    void SetCanStep(bool next, bool previous);
    Tarvos::avTime GetPosition() const { return m_position ? m_position() : 0; }
    void SetPositionSource(std::function<Tarvos::avTime()> position);

signals:
    void StatusChanged();
    void TrackChanged();
    void VolumeChanged();
    void CanStepChanged();

    void PlayPauseRequested();
    void StopRequested();
    void NextRequested();
    void PreviousRequested();
    void SeekRequested(qint64 position);
    void VolumeRequested(double volume);
    void RaiseRequested();
    void QuitRequested();

private:
    Status m_status = Status::Stopped;
    Track m_track;
    int m_trackNumber = 0;
    double m_volume = 1;
    bool m_canGoNext = false;
    bool m_canGoPrevious = false;
    std::function<Tarvos::avTime()> m_position;
};

} // namespace Player
