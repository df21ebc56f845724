#pragma once

#include <QMetaObject>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

class QAbstractItemModel;
class QModelIndex;

namespace Tarvos::Gui {

// The rows of each path in the playlist model, so that media information for
// one file finds its entries without reading the whole list.
//
// Built on first use and kept up to date through appends, removals at the
// end and rewrites of records; anything else (an insertion or removal in the
// middle, a move, a reset) drops it until it is needed again. The generation
// counts every change that can alter which rows hold which path, so that a
// walk over the rows of a path can tell when the list changed under it.
class PlaylistPathIndex
{
public:
    explicit PlaylistPathIndex(QAbstractItemModel* model);
    ~PlaylistPathIndex();

    PlaylistPathIndex(const PlaylistPathIndex&) = delete;
    PlaylistPathIndex& operator=(const PlaylistPathIndex&) = delete;

    // Ascending rows whose entry has this path (UTF-8).
    std::vector<int> Rows(const std::string& path);
    std::uint64_t GetGeneration() const { return m_generation; }

private:
    std::string PathAt(int row) const;
    void Build();
    void Drop();
    void OnRowsInserted(const QModelIndex& parent, int first, int last);
    void OnRowsRemoved(const QModelIndex& parent, int first, int last);
    void OnDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight);
    void OnStructureChanged();

    QAbstractItemModel* m_model;
    std::vector<QMetaObject::Connection> m_connections;
    bool m_built = false;
    std::uint64_t m_generation = 0;
    std::vector<std::string> m_pathOfRow;
    std::unordered_map<std::string, std::vector<int>> m_rowsOfPath;
};

} // namespace Tarvos::Gui
