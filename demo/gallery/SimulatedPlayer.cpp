#include "SimulatedPlayer.h"

#include "Gui/Reelkit/PlaybackControlPanelLogic.h"

#include <QTimer>
#include <algorithm>

namespace {

constexpr Tarvos::avTime TickMicroseconds = SimulatedPlayer::TickMilliseconds * 1000;

} // namespace

SimulatedPlayer::SimulatedPlayer(Tarvos::Gui::PlaybackControlPanelLogic* panel, QObject* parent)
    : QObject(parent)
    , m_panel(panel)
    , m_clock(new QTimer)
{
    m_clock->setInterval(TickMilliseconds);
    m_clock->moveToThread(&m_thread);
    connect(&m_thread, &QThread::started, m_clock, qOverload<>(&QTimer::start));
    // The clock object is the context, so Tick runs on the clock's thread.
    connect(m_clock, &QTimer::timeout, m_clock, [this] { Tick(); });
    m_thread.start();
}

SimulatedPlayer::~SimulatedPlayer()
{
    // A timer is stopped in its own thread.
    QMetaObject::invokeMethod(m_clock, &QTimer::stop, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
    delete m_clock;
}

void SimulatedPlayer::Open(Tarvos::avTime duration)
{
    m_playing = false;
    m_duration = duration;
    m_position = 0;
    Report();
}

void SimulatedPlayer::Play()
{
    if (m_position >= m_duration)
        m_position = 0;
    m_playing = true;
}

void SimulatedPlayer::Pause()
{
    m_playing = false;
}

void SimulatedPlayer::Stop()
{
    m_playing = false;
    m_position = 0;
    Report();
}

void SimulatedPlayer::Seek(Tarvos::avTime position)
{
    m_position = std::clamp<Tarvos::avTime>(position, 0, m_duration);
    Report();
}

void SimulatedPlayer::Step(int frames)
{
    m_playing = false;
    Seek(m_position + frames * TickMicroseconds);
}

void SimulatedPlayer::Tick()
{
    if (!m_playing)
        return;
    const Tarvos::avTime position
        = std::min<Tarvos::avTime>(m_position + TickMicroseconds, m_duration);
    m_position = position;
    Report();
    if (position >= m_duration) {
        m_playing = false;
        emit EndReached();
    }
}

void SimulatedPlayer::Report()
{
    m_panel->SetPosition(m_position);
}
