#include "MpvEngine.h"

#include "Gui/Reelkit/PlaybackControlPanelLogic.h"

#include <QtGlobal>
#include <cmath>
#include <mpv/client.h>
#include <vector>

namespace Player {

namespace {

enum Observed : uint64_t
{
    ObservedTimePos = 1,
    ObservedDuration,
    ObservedPause,
    ObservedEofReached
};

Tarvos::avTime ToTime(double seconds)
{
    return static_cast<Tarvos::avTime>(std::llround(seconds * 1e6));
}

bool HasTrack(mpv_handle* mpv, const char* property)
{
    char* value = mpv_get_property_string(mpv, property);
    const bool has = value && std::string(value) != "no";
    mpv_free(value);
    return has;
}

} // namespace

MpvEngine::MpvEngine(
    Tarvos::Gui::PlaybackControlPanelLogic* panel, const Options& options, QObject* parent)
    : QObject(parent)
    , m_panel(panel)
    , m_mpv(mpv_create())
{
    if (!m_mpv)
        qFatal("libmpv could not be created");
    // Pictures go only to the render context; keys and mouse belong to the window.
    mpv_set_option_string(m_mpv, "vo", "libmpv");
    mpv_set_option_string(m_mpv, "hwdec", "no");
    mpv_set_option_string(m_mpv, "ao", options.audioOutput.c_str());
    mpv_set_option_string(m_mpv, "audio-fallback-to-null", "yes");
    mpv_set_option_string(m_mpv, "idle", "yes");
    // The playlist decides what comes next: mpv keeps the last frame at the end.
    mpv_set_option_string(m_mpv, "keep-open", "yes");
    mpv_set_option_string(m_mpv, "input-default-bindings", "no");
    mpv_set_option_string(m_mpv, "input-vo-keyboard", "no");
    mpv_set_option_string(m_mpv, "osc", "no");
    if (mpv_initialize(m_mpv) < 0)
        qFatal("libmpv could not be initialised");
    mpv_observe_property(m_mpv, ObservedTimePos, "time-pos", MPV_FORMAT_DOUBLE);
    mpv_observe_property(m_mpv, ObservedDuration, "duration", MPV_FORMAT_DOUBLE);
    mpv_observe_property(m_mpv, ObservedPause, "pause", MPV_FORMAT_FLAG);
    mpv_observe_property(m_mpv, ObservedEofReached, "eof-reached", MPV_FORMAT_FLAG);
    m_events = std::thread([this] { RunEvents(); });
}

MpvEngine::~MpvEngine()
{
    m_quitting = true;
    mpv_wakeup(m_mpv);
    m_events.join();
    mpv_terminate_destroy(m_mpv);
}

void MpvEngine::Open(const std::string& path)
{
    SetProperty("pause", "yes");
    // A disc entry names the disc's folder; mpv reads it as a device.
    static const std::string dvdScheme = "dvd://";
    if (path.compare(0, dvdScheme.size(), dvdScheme) == 0) {
        SetProperty("dvd-device", path.substr(dvdScheme.size()));
        Command({ "loadfile", dvdScheme.c_str(), "replace" });
        return;
    }
    Command({ "loadfile", path.c_str(), "replace" });
}

void MpvEngine::Play()
{
    // At the end of a file mpv waits on the last frame; playing starts it over.
    if (m_ended)
        Seek(0);
    SetProperty("pause", "no");
}

void MpvEngine::Pause()
{
    SetProperty("pause", "yes");
}

void MpvEngine::Stop()
{
    Pause();
    Seek(0);
}

void MpvEngine::Seek(Tarvos::avTime position, bool toKeyframe)
{
    const std::string seconds = std::to_string(position / 1e6);
    Command({ "seek", seconds.c_str(), toKeyframe ? "absolute+keyframes" : "absolute+exact" });
}

void MpvEngine::SetLoop(Tarvos::avTime a, Tarvos::avTime b)
{
    SetProperty("ab-loop-a", std::to_string(a / 1e6));
    SetProperty("ab-loop-b", std::to_string(b / 1e6));
}

void MpvEngine::ClearLoop()
{
    SetProperty("ab-loop-a", "no");
    SetProperty("ab-loop-b", "no");
}

void MpvEngine::StepFrame(bool forward)
{
    Command({ forward ? "frame-step" : "frame-back-step" });
}

void MpvEngine::SetVolume(int volume)
{
    SetProperty("volume", std::to_string(volume));
}

void MpvEngine::SetMute(bool mute)
{
    SetProperty("mute", mute ? "yes" : "no");
}

void MpvEngine::SelectAudioTrack(int track)
{
    SetProperty("aid", std::to_string(track));
}

void MpvEngine::SelectVideoTrack(int track)
{
    SetProperty("vid", std::to_string(track));
}

void MpvEngine::SetKeepAspect(bool keep)
{
    SetProperty("keepaspect", keep ? "yes" : "no");
}

void MpvEngine::SetFillScreen(bool fill)
{
    SetProperty("panscan", fill ? "1.0" : "0.0");
}

void MpvEngine::SetVideoFilter(const std::string& filter)
{
    SetProperty("vf", filter);
}

void MpvEngine::Command(std::initializer_list<const char*> arguments)
{
    std::vector<const char*> command(arguments);
    command.push_back(nullptr);
    // Asynchronous: a seek or a load never blocks the GUI thread.
    mpv_command_async(m_mpv, 0, command.data());
}

void MpvEngine::SetProperty(const char* name, const std::string& value)
{
    // libmpv copies the value before the call returns.
    const char* text = value.c_str();
    mpv_set_property_async(m_mpv, 0, name, MPV_FORMAT_STRING, &text);
}

void MpvEngine::RunEvents()
{
    while (!m_quitting) {
        const mpv_event* event = mpv_wait_event(m_mpv, -1);
        if (event->event_id == MPV_EVENT_SHUTDOWN)
            break;
        HandleEvent(*event);
    }
}

void MpvEngine::HandleEvent(const mpv_event& event)
{
    switch (event.event_id) {
    case MPV_EVENT_PROPERTY_CHANGE: {
        const auto& property = *static_cast<const mpv_event_property*>(event.data);
        // MPV_FORMAT_NONE: the value is gone, as between two files.
        const bool hasValue = property.format != MPV_FORMAT_NONE;
        switch (event.reply_userdata) {
        case ObservedTimePos:
            // Between two files there is no position; the next file starts at 0.
            m_position = hasValue ? ToTime(*static_cast<const double*>(property.data)) : 0;
            if (hasValue)
                m_panel->SetPosition(m_position);
            break;
        case ObservedDuration:
            m_duration = hasValue ? ToTime(*static_cast<const double*>(property.data)) : 0;
            if (hasValue)
                m_panel->SetDuration(m_duration);
            break;
        case ObservedPause:
            m_paused = hasValue && *static_cast<const int*>(property.data) != 0;
            emit PauseChanged(m_paused);
            break;
        case ObservedEofReached:
            m_ended = hasValue && *static_cast<const int*>(property.data) != 0;
            if (m_ended)
                emit EndReached();
            break;
        }
        break;
    }
    case MPV_EVENT_FILE_LOADED:
        emit FileLoaded(HasTrack(m_mpv, "vid"), HasTrack(m_mpv, "aid"));
        break;
    case MPV_EVENT_END_FILE: {
        const auto& end = *static_cast<const mpv_event_end_file*>(event.data);
        if (end.reason == MPV_END_FILE_REASON_ERROR) {
            // Nothing is loaded any more: the panel goes empty at once.
            m_panel->SetSourceInfo(std::string(), 0);
            emit LoadFailed();
        }
        break;
    }
    default:
        break;
    }
}

} // namespace Player
