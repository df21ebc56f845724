#pragma once

#include "host/avTime.h"

#include <QObject>
#include <atomic>
#include <string>
#include <thread>

struct mpv_handle;
struct mpv_event;

namespace Tarvos::Gui {
class PlaybackControlPanelLogic;
}

namespace Player {

// The player engine: libmpv through its client API. A thread of the engine
// waits for libmpv's events; it hands positions and durations to the panel
// through the panel's thread-safe setters and emits everything else for
// receivers in the GUI thread. The picture goes to a VideoWidget.
class MpvEngine : public QObject
{
    Q_OBJECT

public:
    struct Options
    {
        // "null" plays in real time without a sound device.
        std::string audioOutput = "auto";
    };

    // The panel is not owned and must outlive the engine.
    MpvEngine(Tarvos::Gui::PlaybackControlPanelLogic* panel, const Options& options,
        QObject* parent = nullptr);
    ~MpvEngine() override;

    // For the video widget's render context; stays valid for the engine's life.
    mpv_handle* GetHandle() const { return m_mpv; }

    // Starts the file paused at its beginning; FileLoaded or LoadFailed follows.
    void Open(const std::string& path);
    void Play();
    void Pause();
    // Back to the beginning, paused: the picture stays on the first frame.
    void Stop();
    // An exact seek by default; a keyframe seek is quicker to show.
    void Seek(Tarvos::avTime position, bool toKeyframe = false);
    void StepFrame(bool forward);
    void SetVolume(int volume);
    void SetMute(bool mute);
    // mpv's track numbers: 1 for the first track of the kind.
    void SelectAudioTrack(int track);
    void SelectVideoTrack(int track);
    void SetKeepAspect(bool keep);
    void SetFillScreen(bool fill);
    // The video filter to use, in mpv's syntax; empty for none.
    void SetVideoFilter(const std::string& filter);
    // Playback reaching b jumps back to a (microseconds).
    void SetLoop(Tarvos::avTime a, Tarvos::avTime b);
    void ClearLoop();

    // The last position the engine's thread saw.
    Tarvos::avTime GetPosition() const { return m_position; }
    // The open file's duration; 0 until the engine knows it.
    Tarvos::avTime GetDuration() const { return m_duration; }
    bool IsPaused() const { return m_paused; }
    // The file played to its end and waits on its last frame.
    bool IsEnded() const { return m_ended; }

signals:
    // All emitted from the engine's thread; connect receivers in the GUI
    // thread with automatic (queued) connections.
    void FileLoaded(bool video, bool audio);
    void LoadFailed();
    void PauseChanged(bool paused);
    void EndReached();

private:
    void RunEvents();
    void HandleEvent(const mpv_event& event);
    void Command(std::initializer_list<const char*> arguments);
    void SetProperty(const char* name, const std::string& value);

    Tarvos::Gui::PlaybackControlPanelLogic* m_panel; // not owned
    mpv_handle* m_mpv;
    std::atomic<Tarvos::avTime> m_position { 0 };
    std::atomic<Tarvos::avTime> m_duration { 0 };
    std::atomic<bool> m_paused { true };
    // mpv waits on the last frame of a file that ended.
    std::atomic<bool> m_ended { false };
    std::atomic<bool> m_quitting { false };
    std::thread m_events;
};

} // namespace Player
