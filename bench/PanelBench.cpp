// One position report of a playing film, from the player's thread (or the GUI
// thread) to a repainted panel: ours (timeline slider, time fields, frame buttons bound to
// the panel logic) beside the same panel of stock widgets updated by a slot.
// Then what our panel costs out of sight: a report to it hidden beside one to
// it shown, and the GUI thread's share of a core while a film plays.

#include "BenchSupport.h"
#include "Gui/Reelkit/PlaybackControlPanelLogic.h"
#include "Gui/Reelkit/TimeEdit.h"
#include "Gui/Reelkit/TimelineSlider.h"
#include "demo/gallery/GalleryStyle.h"
#include "host/StateWidget.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSemaphore>
#include <QSlider>
#include <QTime>
#include <QTimeEdit>
#include <QTimer>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <thread>

using Tarvos::avTime;

namespace Bench {

namespace {

const avTime FilmDuration = avTime(2) * 3600 * 1000 * 1000;
// A player reports the position with every frame at 25 frames per second.
const avTime ReportStep = 40 * 1000;
const QSize PanelSize(800, 40);
// Ten seconds of the film: each step changes the time field, every third
// moves the thumb.
const avTime SeekStep = avTime(10) * 1000 * 1000;
// Position reports at 60 a second, in microseconds of the film.
const std::chrono::microseconds FramePeriod(16667);
const std::chrono::milliseconds CpuRun(10000);
const std::chrono::milliseconds ShortCpuRun(200);

// The same look for the stock slider, as a host would style it.
const char* const StockTimelineStyle = R"(
QSlider { min-height: 28px; max-height: 28px; }
QSlider::groove:horizontal {
    background: #3b4252; height: 8px; border-radius: 4px; margin: 0 8px;
}
QSlider::sub-page:horizontal { background: #5e81ac; height: 8px; margin-left: 8px; }
QSlider::handle:horizontal {
    border: 1px solid #2e3440; border-radius: 7px; background: #eceff4;
    width: 14px; margin: -3px -7px;
}
)";

double ThreadCpuSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// Counts the paint events of the widgets it watches.
class PaintCounter : public QObject
{
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }

    long long paints = 0;
};

// The player's thread: reports one position whenever asked and waits.
class PlayerThread
{
public:
    explicit PlayerThread(std::function<void(avTime)> report)
        : m_report(std::move(report))
        , m_thread([this] { Run(); })
    {}
    ~PlayerThread()
    {
        m_quit = true;
        m_go.release();
        m_thread.join();
    }

    // Returns once the report has been made (queued, not yet handled).
    void Report(avTime position)
    {
        m_position = position;
        m_go.release();
        m_done.acquire();
    }

private:
    void Run()
    {
        for (;;) {
            m_go.acquire();
            if (m_quit)
                return;
            m_report(m_position);
            m_done.release();
        }
    }

    std::function<void(avTime)> m_report;
    QSemaphore m_go;
    QSemaphore m_done;
    std::atomic<bool> m_quit { false };
    avTime m_position = 0;
    std::thread m_thread;
};

QPushButton* AddButton(QBoxLayout* layout, const char* name)
{
    auto* button = new QPushButton(QString::fromLatin1(name));
    button->setObjectName(QString::fromLatin1(name));
    layout->addWidget(button);
    return button;
}

// The stock panel's logic: what a host writes without this library.
class StockPanel : public QWidget
{
    Q_OBJECT

public:
    StockPanel()
    {
        auto* layout = new QHBoxLayout(this);
        m_position = new QTimeEdit;
        m_position->setDisplayFormat(QStringLiteral("HH:mm:ss"));
        m_slider = new QSlider(Qt::Horizontal);
        m_slider->setRange(0, static_cast<int>(FilmDuration / 1000));
        m_slider->setStyleSheet(QString::fromUtf8(StockTimelineStyle));
        auto* total = new QTimeEdit;
        total->setDisplayFormat(QStringLiteral("HH:mm:ss"));
        total->setTime(QTime(0, 0).addMSecs(static_cast<int>(FilmDuration / 1000)));
        layout->addWidget(m_position);
        layout->addWidget(m_slider, 1);
        layout->addWidget(total);
        AddButton(layout, "PlayPause");
        AddButton(layout, "Stop");
        m_prevFrame = AddButton(layout, "PrevFrame");
        m_nextFrame = AddButton(layout, "NextFrame");
        connect(this, &StockPanel::PositionSignal, this, &StockPanel::OnPosition);
    }

    // Callable from any thread.
    void SetPosition(avTime position) { emit PositionSignal(position); }
    QSlider* Slider() const { return m_slider; }

signals:
    void PositionSignal(qint64 position);

private slots:
    void OnPosition(qint64 position)
    {
        const int milliseconds = static_cast<int>(position / 1000);
        m_slider->setValue(milliseconds);
        if (!m_position->hasFocus())
            m_position->setTime(QTime(0, 0).addMSecs(milliseconds));
        m_prevFrame->setEnabled(position > 0);
        m_nextFrame->setEnabled(position < FilmDuration);
    }

private:
    QSlider* m_slider;
    QTimeEdit* m_position;
    QPushButton* m_prevFrame;
    QPushButton* m_nextFrame;
};

// Our panel, as a host designs it and binds it to the logic.
void BuildPanel(Tarvos::Gui::StateWidget* panel)
{
    auto* layout = new QHBoxLayout(panel);
    const QStringList formats = { QStringLiteral("mm:ss"), QStringLiteral("HH:mm:ss") };
    auto* position = new Tarvos::Gui::TimeEdit;
    position->setObjectName(QStringLiteral("ProgressEdit"));
    position->setDisplayFormatList(formats);
    auto* timeline = new Tarvos::Gui::TimelineSlider;
    timeline->setObjectName(QStringLiteral("Progress"));
    timeline->setOrientation(Qt::Horizontal);
    timeline->setDisplayFormatList(formats);
    timeline->setStyleSheet(QString::fromUtf8(Gallery::TimelineStyle));
    auto* total = new Tarvos::Gui::TimeEdit;
    total->setObjectName(QStringLiteral("TotalEdit"));
    total->setDisplayFormatList(formats);
    layout->addWidget(position);
    layout->addWidget(timeline, 1);
    layout->addWidget(total);
    for (const char* name : { "PlayPause", "Stop", "PrevFrame", "NextFrame" })
        AddButton(layout, name);
}

template <class Panel> void ShowPanel(Panel* panel)
{
    panel->resize(PanelSize);
    panel->show();
    Drain();
}

// Our panel bound to its logic, playing the film, shown.
class OurPanel
{
public:
    OurPanel()
    {
        BuildPanel(&widget);
        logic.SetWidget(&widget);
        logic.SetSourceInfo("/home/viewer/Videos/Feature.mkv", FilmDuration);
        logic.OnFile(true, true);
        logic.OnPlay();
        ShowPanel(&widget);
    }
    ~OurPanel() { logic.SetWidget(nullptr); }

    Tarvos::Gui::TimelineSlider* Timeline() const
    {
        return widget.findChild<Tarvos::Gui::TimelineSlider*>();
    }
    // The shown panel focuses its time field, which then keeps its text for
    // the user; a playing panel has the focus elsewhere.
    void Unfocus()
    {
        if (QWidget* focused = QApplication::focusWidget())
            focused->clearFocus();
    }
    // Whether the timeline shows position, after whatever was pending. The
    // panel takes positions to the millisecond, as its timeline reports them.
    bool Shows(avTime position)
    {
        Drain();
        return Timeline()->value() == Timeline()->time2position(position / 1000 * 1000);
    }

    Tarvos::Gui::StateWidget widget;
    Tarvos::Gui::PlaybackControlPanelLogic logic;
};

// The reports come from the player's thread, or else from the GUI thread.
void RunReports(benchmark::State& state, bool fromPlayerThread,
    const std::function<void(avTime)>& report, const PaintCounter& counter,
    const std::function<bool(avTime)>& shows)
{
    std::optional<PlayerThread> player;
    if (fromPlayerThread)
        player.emplace(report);
    avTime position = 0;
    const long long paintsBefore = counter.paints;
    for (auto _ : state) {
        position = (position + ReportStep) % FilmDuration;
        if (player)
            player->Report(position);
        else
            report(position);
        Drain();
    }
    state.counters["slider_paints"] = benchmark::Counter(
        static_cast<double>(counter.paints - paintsBefore), benchmark::Counter::kAvgIterations);
    if (!shows(position))
        state.SkipWithError("the timeline does not show the last position");
}

// A chapter every two minutes of the film, and a loop over its first hour.
void MarkTimeline(Tarvos::Gui::TimelineSlider* timeline)
{
    QVector<Tarvos::Gui::TimelineSlider::Chapter> chapters;
    for (avTime start = 0; start < FilmDuration; start += avTime(120) * 1000 * 1000)
        chapters.append({ start, QStringLiteral("Chapter") });
    timeline->SetChapters(chapters);
    timeline->SetLoop(0, FilmDuration / 2);
    Drain();
}

void PositionUpdateOurs(benchmark::State& state, bool fromPlayerThread, bool marked)
{
    OurPanel panel;
    if (marked)
        MarkTimeline(panel.Timeline());
    PaintCounter counter;
    panel.Timeline()->installEventFilter(&counter);
    RunReports(
        state, fromPlayerThread, [&panel](avTime position) { panel.logic.SetPosition(position); },
        counter, [&panel](avTime position) { return panel.Shows(position); });
}

void PositionUpdateStock(benchmark::State& state, bool fromPlayerThread)
{
    StockPanel panel;
    PaintCounter counter;
    panel.Slider()->installEventFilter(&counter);
    ShowPanel(&panel);
    RunReports(
        state, fromPlayerThread, [&panel](avTime position) { panel.SetPosition(position); },
        counter,
        [&panel](avTime position) {
            Drain();
            return panel.Slider()->value() == position / 1000;
        });
}

// Reports from the GUI thread, each far enough on to change the time field and
// move the thumb, to a shown panel or to the same panel hidden.
void ReportsToPanel(benchmark::State& state, bool shown)
{
    OurPanel panel;
    PaintCounter counter;
    panel.Timeline()->installEventFilter(&counter);
    panel.Unfocus();
    if (!shown)
        panel.widget.hide();
    avTime position = 0;
    for (auto _ : state) {
        position = (position + SeekStep) % FilmDuration;
        panel.logic.SetPosition(position);
        // The queued report, then the repaint it asked for: the work without
        // the event loop's polling, which a hidden panel would be left with.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents();
    }
    state.counters["slider_paints"] = benchmark::Counter(
        static_cast<double>(counter.paints), benchmark::Counter::kAvgIterations);
    panel.widget.show();
    if (!panel.Shows(position))
        state.SkipWithError("the panel does not show the last position");
}

// The share of a core that the GUI thread spends while a player thread
// reports the position at the display's rate; returns the last position.
avTime MeasureGuiCpu(benchmark::State& state, std::chrono::milliseconds duration,
    const std::function<void(avTime)>& report)
{
    avTime position = 0;
    for (auto _ : state) {
        std::atomic<bool> playing { true };
        std::thread player([&report, &playing, &position] {
            auto next = std::chrono::steady_clock::now();
            while (playing) {
                next += FramePeriod;
                std::this_thread::sleep_until(next);
                position += FramePeriod.count();
                report(position);
            }
        });
        QEventLoop loop;
        QTimer::singleShot(duration, &loop, &QEventLoop::quit);
        const double cpuBefore = ThreadCpuSeconds();
        const auto wallBefore = std::chrono::steady_clock::now();
        loop.exec();
        const double cpu = ThreadCpuSeconds() - cpuBefore;
        const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - wallBefore;
        playing = false;
        player.join();
        state.counters["gui_cpu_percent"] = 100 * cpu / wall.count();
    }
    return position;
}

void PlaybackCpu(benchmark::State& state, bool shown, std::chrono::milliseconds duration)
{
    OurPanel panel;
    panel.Unfocus();
    if (!shown)
        panel.widget.hide();
    const avTime position = MeasureGuiCpu(
        state, duration, [&panel](avTime position) { panel.logic.SetPosition(position); });
    panel.widget.show();
    if (!panel.Shows(position))
        state.SkipWithError("the panel does not show the last position");
}

// The stock panel shown, for comparison.
void PlaybackCpuStock(benchmark::State& state, std::chrono::milliseconds duration)
{
    StockPanel panel;
    ShowPanel(&panel);
    if (QWidget* focused = QApplication::focusWidget())
        focused->clearFocus();
    MeasureGuiCpu(state, duration, [&panel](avTime position) { panel.SetPosition(position); });
}

} // namespace

void RegisterPanelBenchmarks(bool tiny)
{
    for (const bool shown : { true, false }) {
        const char* state = shown ? "Visible" : "Hidden";
        benchmark::RegisterBenchmark(
            (std::string("PanelReport/") + state).c_str(), ReportsToPanel, shown)
            ->Unit(benchmark::kMicrosecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark((std::string("PlaybackCpu/") + state).c_str(), PlaybackCpu,
            shown, tiny ? ShortCpuRun : CpuRun)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(1);
    }
    benchmark::RegisterBenchmark(
        "PlaybackCpu/StockQt", PlaybackCpuStock, tiny ? ShortCpuRun : CpuRun)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(1);
    for (const bool fromPlayerThread : { true, false }) {
        const std::string name = fromPlayerThread ? "PositionUpdate/" : "PositionUpdateGui/";
        for (const bool marked : { false, true })
            benchmark::RegisterBenchmark((name + (marked ? "ReelkitMarked" : "Reelkit")).c_str(),
                PositionUpdateOurs, fromPlayerThread, marked)
                ->Unit(benchmark::kMicrosecond)
                ->UseRealTime();
        benchmark::RegisterBenchmark(
            (name + "StockQt").c_str(), PositionUpdateStock, fromPlayerThread)
            ->Unit(benchmark::kMicrosecond)
            ->UseRealTime();
    }
}

} // namespace Bench

#include "PanelBench.moc"
