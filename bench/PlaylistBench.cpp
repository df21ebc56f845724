// The playlist at 1,000 to 1,000,000 entries: loading a saved list, media
// information arriving for every file, saving, deleting, clearing, and the
// memory each entry costs.

#include "BenchSupport.h"
#include "Gui/Reelkit/PlaylistController.h"
#include "Gui/Reelkit/PlaylistListView.h"
#include "host/DataOutputString.h"
#include "host/MediaSourceInfo.h"
#include "host/Property.h"
#include "host/PropertySerializer.h"

#include <QFileInfo>
#include <QListView>
#include <QStandardItemModel>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <fstream>
#include <malloc.h>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace Bench {

namespace {

int Entries(const benchmark::State& state)
{
    return static_cast<int>(state.range(0));
}

// A saved list as Serialize writes it, the middle entry active.
Tarvos::Core::Property SavedList(int count)
{
    Tarvos::Core::Property root("playlist");
    root.SetArrayType();
    for (int number = 0; number < count; ++number) {
        Tarvos::Core::Property entry;
        entry.SetArrayType();
        entry.SetChild("filename", FilmPath(number));
        entry.SetChild("audiostream", number % 2);
        entry.SetChild("videostream", -1);
        if (number == count / 2)
            entry.SetChild("active", true);
        root.Add(std::move(entry));
    }
    return root;
}

// Runs body on a fresh playlist of fill entries, readied by prepare; only
// body and the work it leaves pending are timed.
template <class Prepare, class Body>
void OnFreshPlaylist(benchmark::State& state, int fill, Prepare prepare, Body body)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto playlist = std::make_unique<ShownPlaylist>();
        playlist->Fill(fill);
        prepare(*playlist);
        state.ResumeTiming();
        body(*playlist);
        Drain();
        state.PauseTiming();
        playlist.reset();
        state.ResumeTiming();
    }
    state.counters["entries"] = Entries(state);
}

template <class Body> void OnFreshPlaylist(benchmark::State& state, int fill, Body body)
{
    OnFreshPlaylist(
        state, fill, [](ShownPlaylist&) {}, body);
}

void Load(benchmark::State& state)
{
    Tarvos::Core::Property tree = SavedList(Entries(state));
    OnFreshPlaylist(state, 0, [&tree](ShownPlaylist& playlist) {
        benchmark::DoNotOptimize(playlist.controller->Deserialize(tree));
    });
}

void MediaInfo(benchmark::State& state)
{
    std::vector<boost::intrusive_ptr<const Tarvos::Sarnet::MediaSourceInfo>> infos;
    for (int number = 0; number < Entries(state); ++number) {
        infos.push_back(Tarvos::Sarnet::MediaSourceInfo::Create(
            FilmPath(number), (number + 1) * Tarvos::avTime(61) * 1000 * 1000, "matroska"));
    }
    OnFreshPlaylist(state, Entries(state), [&infos](ShownPlaylist& playlist) {
        for (const auto& info : infos)
            playlist.controller->SetFileInfo(info);
    });
}

void Save(benchmark::State& state)
{
    ShownPlaylist playlist;
    playlist.Fill(Entries(state));
    playlist.controller->StepTo(Entries(state) / 2);
    Drain();
    for (auto _ : state) {
        const Tarvos::Core::Property tree = playlist.controller->Serialize();
        std::string text;
        Tarvos::Core::PropertySerializer::Serialize(
            tree, Tarvos::io::DataOutputString::Create(&text), true);
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["entries"] = Entries(state);
}

void DeleteSelected(benchmark::State& state)
{
    OnFreshPlaylist(
        state, Entries(state),
        [](ShownPlaylist& playlist) {
            playlist.view->selectAll();
            Drain();
        },
        [&state](ShownPlaylist& playlist) {
            playlist.controller->DeleteSelectedFiles();
            if (playlist.controller->GetItemCount() != 0)
                state.SkipWithError("entries were left");
        });
}

// What a host would do with stock Qt: a shown QListView on a
// QStandardItemModel of file names, the selected rows removed one by one from
// the last, as the playlist removes them.
void DeleteSelectedStock(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto model = std::make_unique<QStandardItemModel>();
        for (int number = 0; number < Entries(state); ++number) {
            model->appendRow(
                new QStandardItem(QFileInfo(QString::fromStdString(FilmPath(number))).fileName()));
        }
        auto view = std::make_unique<QListView>();
        view->setSelectionMode(QAbstractItemView::ExtendedSelection);
        view->setModel(model.get());
        view->resize(400, 1000);
        view->show();
        view->selectAll();
        Drain();
        state.ResumeTiming();
        QModelIndexList rows = view->selectionModel()->selectedRows();
        std::sort(rows.begin(), rows.end());
        for (auto row = rows.crbegin(); row != rows.crend(); ++row)
            model->removeRow(row->row());
        Drain();
        state.PauseTiming();
        if (model->rowCount() != 0)
            state.SkipWithError("rows were left");
        view.reset();
        model.reset();
        state.ResumeTiming();
    }
    state.counters["entries"] = Entries(state);
}

void Clear(benchmark::State& state)
{
    OnFreshPlaylist(
        state, Entries(state), [](ShownPlaylist& playlist) { playlist.controller->Clear(); });
}

long long ResidentBytes()
{
    long long pages = 0;
    long long resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

long long HeapBytes()
{
    const struct mallinfo2 info = mallinfo2();
    return static_cast<long long>(info.uordblks + info.hblkhd);
}

// Resident memory of a loaded list, per entry, beyond the path text itself;
// the path index is built too, as the first media information builds it.
void Memory(benchmark::State& state)
{
    const int count = Entries(state);
    long long pathBytes = 0;
    for (int number = 0; number < count; ++number)
        pathBytes += static_cast<long long>(FilmPath(number).size());

    double residentPerEntry = 0;
    double heapPerEntry = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto playlist = std::make_unique<ShownPlaylist>();
        malloc_trim(0);
        const long long resident = ResidentBytes();
        const long long heap = HeapBytes();
        state.ResumeTiming();
        playlist->Fill(count);
        playlist->controller->SetFileInfo(
            Tarvos::Sarnet::MediaSourceInfo::Create("/nowhere/none.mkv", 1000, "matroska"));
        Drain();
        state.PauseTiming();
        residentPerEntry = double(ResidentBytes() - resident - pathBytes) / count;
        heapPerEntry = double(HeapBytes() - heap - pathBytes) / count;
        playlist.reset();
        state.ResumeTiming();
    }
    state.counters["entries"] = count;
    state.counters["resident_bytes_per_entry"] = residentPerEntry;
    state.counters["heap_bytes_per_entry"] = heapPerEntry;
}

} // namespace

void RegisterPlaylistBenchmarks(const Sizes& sizes)
{
    const struct
    {
        const char* name;
        void (*function)(benchmark::State&);
    } benchmarks[] = {
        { "Load", Load },
        { "MediaInfo", MediaInfo },
        { "Save", Save },
        { "DeleteSelected", DeleteSelected },
        { "DeleteSelectedStock", DeleteSelectedStock },
        { "Clear", Clear },
        { "Memory", Memory },
    };
    for (const auto& entry : benchmarks) {
        for (const int count : sizes.entries) {
            // Large lists take long to build for each run; fewer runs suffice.
            const int iterations
                = sizes.tiny || entry.function == Memory ? 1 : std::max(1, 20000 / count);
            benchmark::RegisterBenchmark(entry.name, entry.function)
                ->Arg(count)
                ->Iterations(iterations)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
        }
    }
}

} // namespace Bench
