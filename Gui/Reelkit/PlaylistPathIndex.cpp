#include "Gui/Reelkit/PlaylistPathIndex.h"

#include "Gui/Reelkit/PlaylistItemData.h"

#include <QAbstractItemModel>
#include <algorithm>
#include <functional>

namespace Tarvos::Gui {

PlaylistPathIndex::PlaylistPathIndex(QAbstractItemModel* model)
    : m_model(model)
{
    m_connections = {
        QObject::connect(model, &QAbstractItemModel::rowsInserted, model,
            [this](const QModelIndex& parent, int first, int last) {
                OnRowsInserted(parent, first, last);
            }),
        QObject::connect(model, &QAbstractItemModel::rowsRemoved, model,
            [this](const QModelIndex& parent, int first, int last) {
                OnRowsRemoved(parent, first, last);
            }),
        QObject::connect(model, &QAbstractItemModel::dataChanged, model,
            [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                OnDataChanged(topLeft, bottomRight);
            }),
        QObject::connect(
            model, &QAbstractItemModel::rowsMoved, model, [this] { OnStructureChanged(); }),
        QObject::connect(
            model, &QAbstractItemModel::modelReset, model, [this] { OnStructureChanged(); }),
        QObject::connect(
            model, &QAbstractItemModel::layoutChanged, model, [this] { OnStructureChanged(); }),
    };
}

PlaylistPathIndex::~PlaylistPathIndex()
{
    for (const QMetaObject::Connection& connection : m_connections)
        QObject::disconnect(connection);
}

std::vector<int> PlaylistPathIndex::Rows(const std::string& path)
{
    if (!m_built)
        Build();
    std::vector<int> rows;
    const auto candidates = m_rowsOfHash.equal_range(std::hash<std::string>()(path));
    for (auto candidate = candidates.first; candidate != candidates.second; ++candidate) {
        if (PathAt(candidate->second) == path)
            rows.push_back(candidate->second);
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::string PlaylistPathIndex::PathAt(int row) const
{
    return m_model->index(row, 0)
        .data(Qt::DisplayRole)
        .value<PlaylistItemData>()
        .GetFilename()
        .utf8string();
}

std::size_t PlaylistPathIndex::HashAt(int row) const
{
    return std::hash<std::string>()(PathAt(row));
}

void PlaylistPathIndex::Forget(std::size_t hash, int row)
{
    const auto candidates = m_rowsOfHash.equal_range(hash);
    m_rowsOfHash.erase(std::find_if(candidates.first, candidates.second,
        [row](const auto& candidate) { return candidate.second == row; }));
}

void PlaylistPathIndex::Build()
{
    const int count = m_model->rowCount();
    m_hashOfRow.clear();
    m_hashOfRow.reserve(count);
    m_rowsOfHash.clear();
    m_rowsOfHash.reserve(count);
    for (int row = 0; row < count; ++row) {
        m_hashOfRow.push_back(HashAt(row));
        m_rowsOfHash.emplace(m_hashOfRow.back(), row);
    }
    m_built = true;
}

void PlaylistPathIndex::Drop()
{
    m_built = false;
    m_hashOfRow.clear();
    m_rowsOfHash.clear();
}

void PlaylistPathIndex::OnRowsInserted(const QModelIndex& parent, int first, int last)
{
    ++m_generation;
    if (!m_built || parent.isValid())
        return;
    // Rows in the middle would shift every row after them; building anew is simpler.
    if (first != static_cast<int>(m_hashOfRow.size())) {
        Drop();
        return;
    }
    for (int row = first; row <= last; ++row) {
        m_hashOfRow.push_back(HashAt(row));
        m_rowsOfHash.emplace(m_hashOfRow.back(), row);
    }
}

void PlaylistPathIndex::OnRowsRemoved(const QModelIndex& parent, int first, int last)
{
    ++m_generation;
    if (!m_built || parent.isValid())
        return;
    if (last + 1 != static_cast<int>(m_hashOfRow.size())) {
        Drop();
        return;
    }
    for (int row = last; row >= first; --row) {
        Forget(m_hashOfRow.back(), row);
        m_hashOfRow.pop_back();
    }
}

void PlaylistPathIndex::OnDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight)
{
    if (!m_built) {
        ++m_generation;
        return;
    }
    const int last = std::min(bottomRight.row(), static_cast<int>(m_hashOfRow.size()) - 1);
    for (int row = std::max(topLeft.row(), 0); row <= last; ++row) {
        // A new path of the same hash stays where it is, and Rows() sorts it out.
        const std::size_t hash = HashAt(row);
        if (hash == m_hashOfRow[row])
            continue;
        ++m_generation;
        Forget(m_hashOfRow[row], row);
        m_rowsOfHash.emplace(hash, row);
        m_hashOfRow[row] = hash;
    }
}

void PlaylistPathIndex::OnStructureChanged()
{
    ++m_generation;
    Drop();
}

} // namespace Tarvos::Gui
