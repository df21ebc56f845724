#include "Gui/Reelkit/PlaylistModel.h"

#include "Gui/Reelkit/IPlaylistModelEventObserver.h"
#include "Gui/Reelkit/PlaylistDragPayload.h"
#include "Gui/Reelkit/PlaylistItemData.h"

#include <QMimeData>
#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

namespace Tarvos::Gui {

const QString PlaylistModel::MimeType = QStringLiteral("application/x-tarvos-files");

PlaylistModel::PlaylistModel(QObject* parent)
    : QAbstractListModel(parent)
{
    PlaylistItemData::MetaTypeId();
}

PlaylistModel::~PlaylistModel() = default;

int PlaylistModel::rowCount(const QModelIndex& parent) const
{
    // A flat list: rows have no children.
    return parent.isValid() ? 0 : static_cast<int>(m_items.size());
}

QVariant PlaylistModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !IsRowIndex(index))
        return QVariant();
    PlaylistItemData item = m_items.at(index.row());
    item.SetIndex(QPersistentModelIndex(index));
    return QVariant::fromValue(item);
}

bool PlaylistModel::setData(const QModelIndex& index, const QVariant& value, int)
{
    if (!IsRowIndex(index))
        return false;
    // The stored copy gets its row's persistent index only when it is read:
    // Qt visits every live persistent index on each row removal, so one per
    // stored row would make removing rows one by one quadratic.
    PlaylistItemData item = value.value<PlaylistItemData>();
    item.SetIndex(QPersistentModelIndex());
    m_items[index.row()] = item;
    emit dataChanged(index, index);
    NotifyObservers();
    return true;
}

QVariant PlaylistModel::headerData(int, Qt::Orientation, int) const
{
    return QVariant();
}

QStringList PlaylistModel::mimeTypes() const
{
    return { MimeType };
}

QMimeData* PlaylistModel::mimeData(const QModelIndexList& indexes) const
{
    std::vector<int> rows;
    for (const QModelIndex& index : indexes) {
        if (IsRowIndex(index))
            rows.push_back(index.row());
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());

    std::vector<PlaylistDragPayload::Entry> entries;
    entries.reserve(rows.size());
    for (const int row : rows) {
        const PlaylistItemData& item = m_items.at(row);
        entries.push_back({ item.GetFilename().utf8string(), item.GetActive() });
    }
    auto* mime = new QMimeData;
    mime->setData(MimeType, PlaylistDragPayload::Encode(entries));
    return mime;
}

Qt::DropActions PlaylistModel::supportedDragActions() const
{
    return Qt::CopyAction | Qt::MoveAction;
}

bool PlaylistModel::insertRows(int row, int count, const QModelIndex&)
{
    if (row < 0 || row > rowCount() || count < 1)
        return false;
    beginInsertRows(QModelIndex(), row, row + count - 1);
    m_items.insert(m_items.begin() + row, count, PlaylistItemData());
    endInsertRows();
    NotifyObservers();
    return true;
}

bool PlaylistModel::removeRows(int row, int count, const QModelIndex&)
{
    if (row < 0 || row >= rowCount() || count < 1)
        return false;
    // Rows past the end are not there to remove; the views must hear only of those that are.
    const int last = std::min(row + count, rowCount()) - 1;
    beginRemoveRows(QModelIndex(), row, last);
    m_items.erase(m_items.begin() + row, m_items.begin() + last + 1);
    endRemoveRows();
    NotifyObservers();
    return true;
}

Qt::ItemFlags PlaylistModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::ItemIsEnabled;
    return QAbstractListModel::flags(index) | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled
        | Qt::ItemIsEnabled;
}

void PlaylistModel::AddObserver(IPlaylistModelEventObserver* observer)
{
    m_observers.Add(observer);
}

QPersistentModelIndex PlaylistModel::InsertItem(const PlaylistItemData& item, int row)
{
    if (row == -1)
        row = rowCount();
    if (!insertRows(row, 1))
        return QPersistentModelIndex();
    const QModelIndex inserted = index(row, 0);
    setData(inserted, QVariant::fromValue(item), Qt::EditRole);
    return QPersistentModelIndex(inserted);
}

void PlaylistModel::UpdateItem(const QPersistentModelIndex& index, const PlaylistItemData& item)
{
    if (index.isValid())
        setData(index, QVariant::fromValue(item), Qt::EditRole);
}

const PlaylistItemData& PlaylistModel::ItemAt(int row) const
{
    return m_items.at(row);
}

bool PlaylistModel::InsertItems(std::vector<PlaylistItemData> items, int row)
{
    if (row == -1)
        row = rowCount();
    if (items.empty() || row < 0 || row > rowCount())
        return false;
    for (PlaylistItemData& item : items)
        item.SetIndex(QPersistentModelIndex());
    beginInsertRows(QModelIndex(), row, row + static_cast<int>(items.size()) - 1);
    m_items.insert(m_items.begin() + row, std::make_move_iterator(items.begin()),
        std::make_move_iterator(items.end()));
    endInsertRows();
    NotifyObservers();
    return true;
}

std::vector<PlaylistItemData> PlaylistModel::TakeItems(int row, int count)
{
    if (row < 0 || count < 1 || row + count > rowCount())
        return {};
    const auto first = m_items.begin() + row;
    beginRemoveRows(QModelIndex(), row, row + count - 1);
    std::vector<PlaylistItemData> taken(
        std::make_move_iterator(first), std::make_move_iterator(first + count));
    m_items.erase(first, first + count);
    endRemoveRows();
    NotifyObservers();
    return taken;
}

bool PlaylistModel::Reorder(const std::vector<int>& order)
{
    const int count = rowCount();
    if (static_cast<int>(order.size()) != count)
        return false;
    std::vector<int> newRowOf(count, -1);
    for (int row = 0; row < count; ++row) {
        const int old = order[row];
        if (old < 0 || old >= count || newRowOf[old] >= 0)
            return false;
        newRowOf[old] = row;
    }
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex& index : from)
        to << this->index(newRowOf[index.row()], 0);
    changePersistentIndexList(from, to);
    std::vector<PlaylistItemData> items;
    items.reserve(count);
    for (const int old : order)
        items.push_back(std::move(m_items[old]));
    m_items = std::move(items);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    NotifyObservers();
    return true;
}

bool PlaylistModel::IsRowIndex(const QModelIndex& index) const
{
    return index.isValid() && index.model() == this && index.row() < rowCount();
}

void PlaylistModel::NotifyObservers()
{
    m_observers.Notify(&IPlaylistModelEventObserver::OnPlaylistModelChanged);
}

} // namespace Tarvos::Gui
