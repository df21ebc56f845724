// Painting one screenful of playlist rows: our delegate, which renders its row
// widget for each row, beside QStyledItemDelegate painting text and icon.

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
// The rows that show the states a playlist has: playing, selected, broken.
const int ActiveRow = 3;
const int SelectedRow = 5;
const int InvalidRow = 7;

// Paints the viewport's rows as the list view does: one option per row.
void PaintViewport(
    benchmark::State& state, QAbstractItemDelegate& delegate, const QAbstractItemModel& model)
{
    QListView view;
    view.setModel(const_cast<QAbstractItemModel*>(&model));
    QImage viewport(RowWidth, ViewportRows * RowHeight, QImage::Format_ARGB32_Premultiplied);
    QStyleOptionViewItem option;
    option.initFrom(&view);
    for (auto _ : state) {
        viewport.fill(Qt::darkGray);
        QPainter painter(&viewport);
        for (int row = 0; row < ViewportRows; ++row) {
            option.rect = QRect(0, row * RowHeight, RowWidth, RowHeight);
            option.state = QStyle::State_Enabled;
            if (row == SelectedRow)
                option.state |= QStyle::State_Selected;
            delegate.paint(&painter, option, model.index(row, 0));
        }
    }
    state.counters["rows"] = ViewportRows;
}

void RowPaintOurs(benchmark::State& state)
{
    Tarvos::Gui::PlaylistModel model;
    for (int row = 0; row < ViewportRows; ++row) {
        Tarvos::Gui::PlaylistItemData item { Tarvos::ioPath(FilmPath(row)) };
        item.SetFileDuration((row + 1) * Tarvos::avTime(97) * 1000 * 1000);
        item.SetActive(row == ActiveRow);
        item.SetValid(row != InvalidRow);
        model.InsertItem(item, -1);
    }
    Tarvos::Gui::PlaylistItemDelegate delegate(nullptr);
    PaintViewport(state, delegate, model);
}

void RowPaintStock(benchmark::State& state)
{
    QStandardItemModel model;
    QFileIconProvider icons;
    for (int row = 0; row < ViewportRows; ++row) {
        const QFileInfo file(QString::fromStdString(FilmPath(row)));
        model.appendRow(new QStandardItem(icons.icon(file), file.fileName()));
    }
    QStyledItemDelegate delegate;
    PaintViewport(state, delegate, model);
}

} // namespace

void RegisterRowPaintBenchmarks()
{
    benchmark::RegisterBenchmark("RowPaint/Reelkit", RowPaintOurs)
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("RowPaint/StockQt", RowPaintStock)
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();
}

} // namespace Bench
