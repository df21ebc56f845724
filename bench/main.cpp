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

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    Bench::Sizes sizes { { 1000, 10000, 100000 }, false };
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

    Bench::RegisterPanelBenchmarks();
    Bench::RegisterRowPaintBenchmarks();
    Bench::RegisterPlaylistBenchmarks(sizes);
    benchmark::Initialize(&count, arguments.data());
    if (benchmark::ReportUnrecognizedArguments(count, arguments.data()))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    google::ShutdownGoogleLogging();
    return 0;
}
