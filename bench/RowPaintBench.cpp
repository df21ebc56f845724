// Painting one screenful of playlist rows: our delegate, which renders its row
// widget for each row, beside QStyledItemDelegate painting text and icon. Once
// repainting the same rows, as after a selection change, and once scrolling a
// long list a page at a time, so that every page shows rows not painted before.

#include "BenchSupport.h"
#include "Gui/Reelkit/PlaylistItemData.h"
#include "Gui/Reelkit/PlaylistItemDelegate.h"
#include "Gui/Reelkit/PlaylistModel.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QImage>
#include <QListView>
#include <QPainter>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <benchmark/benchmark.h>

namespace Bench {

namespace {

const int ViewportRows = 40;
const int RowWidth = 400;
const int RowHeight = 24;
// The rows of each page that show the states a playlist has: playing, selected, broken.
const int ActiveRow = 3;
const int SelectedRow = 5;
const int InvalidRow = 7;

// Paints a viewport of rows as the list view does, one option per row: the
// first page on every run, or with scroll the next page on every run.
void PaintViewport(benchmark::State& state, QAbstractItemDelegate& delegate,
    const QAbstractItemModel& model, bool scroll)
{
    QListView view;
    view.setModel(const_cast<QAbstractItemModel*>(&model));
    QImage viewport(RowWidth, ViewportRows * RowHeight, QImage::Format_ARGB32_Premultiplied);
    QStyleOptionViewItem option;
    option.initFrom(&view);
    const int pages = model.rowCount() / ViewportRows;
    int page = 0;
    for (auto _ : state) {
        viewport.fill(Qt::darkGray);
        QPainter painter(&viewport);
        for (int row = 0; row < ViewportRows; ++row) {
            option.rect = QRect(0, row * RowHeight, RowWidth, RowHeight);
            option.state = QStyle::State_Enabled;
            if (row == SelectedRow)
                option.state |= QStyle::State_Selected;
            delegate.paint(&painter, option, model.index(page * ViewportRows + row, 0));
        }
        if (scroll)
            page = (page + 1) % pages;
    }
    state.counters["rows"] = ViewportRows;
}

void RowPaintOurs(benchmark::State& state, int entries, bool scroll)
{
    Tarvos::Gui::PlaylistModel model;
    for (int number = 0; number < entries; ++number) {
        Tarvos::Gui::PlaylistItemData item { Tarvos::ioPath(FilmPath(number)) };
        item.SetFileDuration((number + 1) * Tarvos::avTime(97) * 1000 * 1000);
        item.SetActive(number % ViewportRows == ActiveRow);
        item.SetValid(number % ViewportRows != InvalidRow);
        model.InsertItem(item, -1);
    }
    Tarvos::Gui::PlaylistItemDelegate delegate(nullptr);
    PaintViewport(state, delegate, model, scroll);
}

void RowPaintStock(benchmark::State& state, int entries, bool scroll)
{
    QStandardItemModel model;
    QFileIconProvider icons;
    for (int number = 0; number < entries; ++number) {
        const QFileInfo file(QString::fromStdString(FilmPath(number)));
        model.appendRow(new QStandardItem(icons.icon(file), file.fileName()));
    }
    QStyledItemDelegate delegate;
    PaintViewport(state, delegate, model, scroll);
}

} // namespace

void RegisterRowPaintBenchmarks(const Sizes& sizes)
{
    // A long list, and the longest with our delegate alone: a stock model of a
    // million items would take longer to build than the runs themselves.
    const int longList = sizes.tiny ? 4 * ViewportRows : 100000;
    const int longestList = sizes.tiny ? 4 * ViewportRows : 1000000;
    const struct
    {
        const char* name;
        void (*function)(benchmark::State&, int, bool);
        int entries;
        bool scroll;
    } benchmarks[] = {
        { "RowPaint/Reelkit", RowPaintOurs, ViewportRows, false },
        { "RowPaint/StockQt", RowPaintStock, ViewportRows, false },
        { "RowScroll/Reelkit", RowPaintOurs, longList, true },
        { "RowScroll/StockQt", RowPaintStock, longList, true },
        { "RowScroll1M/Reelkit", RowPaintOurs, longestList, true },
    };
    for (const auto& entry : benchmarks) {
        benchmark::RegisterBenchmark(entry.name, entry.function, entry.entries, entry.scroll)
            ->Unit(benchmark::kMicrosecond)
            ->UseRealTime();
    }
}

} // namespace Bench
