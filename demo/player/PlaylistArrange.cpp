#include "PlaylistArrange.h"

#include "Gui/Reelkit/PlaylistItemData.h"
#include "Gui/Reelkit/PlaylistListView.h"
#include "Gui/Reelkit/PlaylistModel.h"
#include "PlaylistUndo.h"

#include <QCollator>
#include <QMenu>
#include <algorithm>
#include <numeric>

namespace Player {

using Tarvos::Gui::PlaylistItemData;

PlaylistArrange::PlaylistArrange(
    Tarvos::Gui::PlaylistListView* view, PlaylistUndo* undo, QObject* parent)
    : QObject(parent)
    , m_view(view)
    , m_model(qobject_cast<Tarvos::Gui::PlaylistModel*>(view->model()))
    , m_undo(undo)
{}

QString PlaylistArrange::DisplayName(const PlaylistItemData& record)
{
    const QString name = QString::fromStdString(record.GetName());
    return name.mid(name.lastIndexOf(QLatin1Char('/')) + 1);
}

std::vector<int> PlaylistArrange::SortedOrder(const Tarvos::Gui::PlaylistModel& model, Key key)
{
    const int count = model.rowCount();
    std::vector<int> order(std::size_t(count), 0);
    std::iota(order.begin(), order.end(), 0);
    if (key == Key::Duration) {
        std::stable_sort(order.begin(), order.end(), [&model](int a, int b) {
            return model.ItemAt(a).GetFileDuration() < model.ItemAt(b).GetFileDuration();
        });
        return order;
    }
    // The C locale collates by code point, numbers and accents ignored; a
    // list sorted by name wants the rules of a language.
    QCollator collator(QLocale().language() == QLocale::C ? QLocale(QLocale::English) : QLocale());
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    // One key per row: comparing keys is far cheaper than collating the texts
    // at each of the n log n comparisons.
    std::vector<QCollatorSortKey> keys;
    keys.reserve(order.size());
    for (int row = 0; row < count; ++row) {
        const PlaylistItemData& record = model.ItemAt(row);
        keys.push_back(collator.sortKey(key == Key::Name
                ? DisplayName(record)
                : QString::fromStdString(record.GetFilename().utf8string())));
    }
    std::stable_sort(order.begin(), order.end(),
        [&keys](int a, int b) { return keys[std::size_t(a)].compare(keys[std::size_t(b)]) < 0; });
    return order;
}

QMenu* PlaylistArrange::CreateMenu(QWidget* parent)
{
    auto* menu = new QMenu(tr("&Sort"), parent);
    menu->setObjectName(QStringLiteral("SortMenu"));
    connect(
        menu->addAction(tr("By &name")), &QAction::triggered, this, [this] { Sort(Key::Name); });
    connect(
        menu->addAction(tr("By &path")), &QAction::triggered, this, [this] { Sort(Key::Path); });
    connect(menu->addAction(tr("By &duration")), &QAction::triggered, this,
        [this] { Sort(Key::Duration); });
    menu->addSeparator();
    connect(menu->addAction(tr("&Reverse")), &QAction::triggered, this, &PlaylistArrange::Reverse);
    return menu;
}

void PlaylistArrange::Sort(Key key)
{
    static const char* const Names[] = { QT_TR_NOOP("Sort by name"), QT_TR_NOOP("Sort by path"),
        QT_TR_NOOP("Sort by duration") };
    m_undo->Reorder(SortedOrder(*m_model, key), tr(Names[int(key)]));
}

void PlaylistArrange::Reverse()
{
    std::vector<int> order(std::size_t(m_model->rowCount()), 0);
    std::iota(order.rbegin(), order.rend(), 0);
    m_undo->Reorder(order, tr("Reverse the order"));
}

void PlaylistArrange::MoveSelection(int step)
{
    const int count = m_model->rowCount();
    std::vector<bool> selected(std::size_t(count), false);
    int moved = 0;
    for (const QModelIndex& index : m_view->selectionModel()->selectedRows()) {
        selected[std::size_t(index.row())] = true;
        ++moved;
    }
    if (moved == 0 || selected[step < 0 ? 0 : std::size_t(count - 1)])
        return;
    std::vector<int> order(std::size_t(count), 0);
    std::iota(order.begin(), order.end(), 0);
    // Each selected row trades places with its unselected neighbour, walking
    // from the end it moves towards so that runs of rows move together.
    for (int i = 0; i < count; ++i) {
        const int row = step < 0 ? i : count - 1 - i;
        if (selected[std::size_t(row)])
            std::swap(order[std::size_t(row)], order[std::size_t(row + step)]);
    }
    m_undo->Reorder(order,
        step < 0 ? (moved == 1 ? tr("Move 1 file up") : tr("Move %1 files up").arg(moved))
                 : (moved == 1 ? tr("Move 1 file down") : tr("Move %1 files down").arg(moved)));
    m_view->scrollTo(m_view->currentIndex());
}

} // namespace Player
