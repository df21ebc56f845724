#pragma once

#include "host/avTime.h"

#include <QObject>
#include <QThread>
#include <atomic>

class QTimer;

namespace Tarvos::Gui {
class PlaybackControlPanelLogic;
}

// Plays nothing: a clock on its own thread that reports positions to the panel
// the way a real engine's thread does, through the panel's thread-safe setter.
class SimulatedPlayer : public QObject
{
    Q_OBJECT

public:
    static constexpr int TickMilliseconds = 40;

    // The panel is not owned and must outlive the player.
    SimulatedPlayer(Tarvos::Gui::PlaybackControlPanelLogic* panel, QObject* parent = nullptr);
    ~SimulatedPlayer() override;

    void Open(Tarvos::avTime duration);
    void Play();
    void Pause();
    void Stop();
    void Seek(Tarvos::avTime position);
    // Steps by frames (one tick each), pausing first.
    void Step(int frames);
    bool IsPlaying() const { return m_playing; }

signals:
    // Emitted from the clock's thread; connect with a queued connection.
    void EndReached();

private:
    void Tick();
    void Report();

    Tarvos::Gui::PlaybackControlPanelLogic* m_panel; // not owned
    QThread m_thread;
    QTimer* m_clock; // lives on m_thread
    std::atomic<Tarvos::avTime> m_position { 0 };
    std::atomic<Tarvos::avTime> m_duration { 0 };
    std::atomic<bool> m_playing { false };
};
