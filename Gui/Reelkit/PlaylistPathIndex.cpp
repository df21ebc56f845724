#include "Gui/Reelkit/PlaylistPathIndex.h"

#include "Gui/Reelkit/PlaylistItemData.h"

#include <QAbstractItemModel>
#include <algorithm>

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
    const auto found = m_rowsOfPath.find(path);
    return found == m_rowsOfPath.end() ? std::vector<int>() : found->second;
}

std::string PlaylistPathIndex::PathAt(int row) const
{
    return m_model->index(row, 0)
        .data(Qt::DisplayRole)
        .value<PlaylistItemData>()
        .GetFilename()
        .utf8string();
}

void PlaylistPathIndex::Build()
{
    const int count = m_model->rowCount();
    m_pathOfRow.clear();
    m_pathOfRow.reserve(count);
    m_rowsOfPath.clear();
    for (int row = 0; row < count; ++row) {
        m_pathOfRow.push_back(PathAt(row));
        m_rowsOfPath[m_pathOfRow.back()].push_back(row);
    }
    m_built = true;
}

void PlaylistPathIndex::Drop()
{
    m_built = false;
    m_pathOfRow.clear();
    m_rowsOfPath.clear();
}

void PlaylistPathIndex::OnRowsInserted(const QModelIndex& parent, int first, int last)
{
    ++m_generation;
    if (!m_built || parent.isValid())
        return;
    // Rows in the middle would shift every row after them; building anew is simpler.
    if (first != static_cast<int>(m_pathOfRow.size())) {
        Drop();
        return;
    }
    for (int row = first; row <= last; ++row) {
        m_pathOfRow.push_back(PathAt(row));
        m_rowsOfPath[m_pathOfRow.back()].push_back(row);
    }
}

void PlaylistPathIndex::OnRowsRemoved(const QModelIndex& parent, int first, int last)
{
    ++m_generation;
    if (!m_built || parent.isValid())
        return;
    if (last + 1 != static_cast<int>(m_pathOfRow.size())) {
        Drop();
        return;
    }
    // The removed rows are the highest, so each is the last of its path's rows.
    for (int row = last; row >= first; --row) {
        const auto rows = m_rowsOfPath.find(m_pathOfRow.back());
        rows->second.pop_back();
        if (rows->second.empty())
            m_rowsOfPath.erase(rows);
        m_pathOfRow.pop_back();
    }
}

void PlaylistPathIndex::OnDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight)
{
    if (!m_built) {
        ++m_generation;
        return;
    }
    const int last = std::min(bottomRight.row(), static_cast<int>(m_pathOfRow.size()) - 1);
    for (int row = std::max(topLeft.row(), 0); row <= last; ++row) {
        std::string path = PathAt(row);
        if (path == m_pathOfRow[row])
            continue;
        ++m_generation;
        const auto oldRows = m_rowsOfPath.find(m_pathOfRow[row]);
        oldRows->second.erase(
            std::lower_bound(oldRows->second.begin(), oldRows->second.end(), row));
        if (oldRows->second.empty())
            m_rowsOfPath.erase(oldRows);
        std::vector<int>& newRows = m_rowsOfPath[path];
        newRows.insert(std::lower_bound(newRows.begin(), newRows.end(), row), row);
        m_pathOfRow[row] = std::move(path);
    }
}

void PlaylistPathIndex::OnStructureChanged()
{
    ++m_generation;
    Drop();
}

} // namespace Tarvos::Gui
