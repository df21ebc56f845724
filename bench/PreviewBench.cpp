// The player's hover previews on its sample clip: the picture that answers a
// hover first (the keyframe at or before the time), the exact frame that
// follows it, and a picture found again in the cache on disk. The hover
// itself waits TimelineSlider::PreviewDelayMs before asking.
#include "BenchSupport.h"
#include "FramePreviews.h"
#include "SampleClips.h"

#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace Bench {

namespace {

constexpr Tarvos::avTime Second = 1000000;

// The sample clip, made once per run; empty where ffmpeg is missing.
QString SampleVideo()
{
    static QTemporaryDir dir;
    static const QString video = Player::SampleClips::CanMake()
        ? Player::SampleClips::Make(dir.filePath(QStringLiteral("clips"))).value(0)
        : QString();
    return video;
}

void Preview(benchmark::State& state, bool exact)
{
    const QString video = SampleVideo();
    if (video.isEmpty()) {
        state.SkipWithError("no sample clip: ffmpeg is missing");
        return;
    }
    // A second further each time, so that nothing is reused.
    Tarvos::avTime time = Second / 2;
    for (auto _ : state) {
        const QImage image = Player::FramePreviews::Decode(
            video, time, Player::FramePreviews::DefaultHeight, exact);
        benchmark::DoNotOptimize(image.constBits());
        time = (time + Second) % (Player::SampleClips::VideoSeconds * Second);
    }
}

void PreviewCached(benchmark::State& state)
{
    const QString video = SampleVideo();
    if (video.isEmpty()) {
        state.SkipWithError("no sample clip: ffmpeg is missing");
        return;
    }
    QTemporaryDir cache;
    const int height = Player::FramePreviews::DefaultHeight;
    const QString file = Player::FramePreviews::CacheFile(cache.path(), video, 9 * Second, height);
    Player::FramePreviews::Decode(video, 9 * Second, height).save(file);
    for (auto _ : state) {
        const QImage image(file);
        benchmark::DoNotOptimize(image.constBits());
    }
}

} // namespace

void RegisterPreviewBenchmarks()
{
    benchmark::RegisterBenchmark("Preview/First", Preview, false)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("Preview/Exact", Preview, true)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("Preview/Cached", PreviewCached)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}

} // namespace Bench
