// Runs the benchmarks in a widget application on the offscreen platform
// unless another is asked for. "--tiny" runs every benchmark on a tiny list,
// to check that they all still work.

#include "BenchSupport.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstring>
#include <glog/logging.h>
#include <vector>

namespace {

// The console table, counting the runs that failed, so that a broken
// benchmark fails the program.
class CheckingReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            failures += run.error_occurred ? 1 : 0;
        ConsoleReporter::ReportRuns(runs);
    }

    int failures = 0;
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    Bench::Sizes sizes { { 1000, 10000, 100000, 1000000 }, false };
    std::vector<char*> arguments;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--tiny") == 0)
            sizes = { { 10 }, true };
        else
            arguments.push_back(argv[i]);
    }
    int count = static_cast<int>(arguments.size());
    arguments.push_back(nullptr);
    QApplication application(count, arguments.data());

    // The playlist writes its log lines to files, as in a player.
    QTemporaryDir logs;
    FLAGS_log_dir = logs.path().toStdString();
    google::InitGoogleLogging(arguments[0]);

    Bench::RegisterPanelBenchmarks(sizes.tiny);
    Bench::RegisterRowPaintBenchmarks(sizes);
    Bench::RegisterPlaylistBenchmarks(sizes);
#ifdef REELKIT_BENCH_PREVIEWS
    Bench::RegisterPreviewBenchmarks();
#endif
    benchmark::Initialize(&count, arguments.data());
    if (benchmark::ReportUnrecognizedArguments(count, arguments.data()))
        return 1;
    CheckingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    google::ShutdownGoogleLogging();
    return reporter.failures == 0 ? 0 : 1;
}
