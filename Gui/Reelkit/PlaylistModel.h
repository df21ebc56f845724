#pragma once

#include "Gui/Reelkit/ObserverList.h"
#include "Gui/Reelkit/ReelkitExport.h"

#include <QAbstractListModel>
#include <vector>

namespace Tarvos::Gui {

class IPlaylistModelEventObserver;
class PlaylistItemData;

/// The rows of the playlist, one PlaylistItemData each. Records go out by value
/// with Qt::DisplayRole and come back whole through setData(), whatever the role.
/// Dragged rows travel as a list of paths under MimeType.
///
/// Observers (IPlaylistModelEventObserver) hear of every insertion, removal
/// and rewrite after the model's own signals. GUI thread only.
class REELKIT_EXPORT PlaylistModel : public QAbstractListModel
{
    Q_OBJECT

public:
    /// "application/x-tarvos-files": the MIME type of dragged rows. The
    /// payload is a compact Core::PropertySerializer text of an array named
    /// "drugs" with one unnamed text child per row, in row order: the path,
    /// with a leading "*" on the active entry.
    static const QString MimeType;

    /// An empty list; registers PlaylistItemData with Qt's meta-types.
    explicit PlaylistModel(QObject* parent = nullptr);
    /// Drops every record.
    ~PlaylistModel() override;

    /// The number of entries; 0 under any valid parent (a flat list).
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    /// A copy of the row's record with its persistent index set, for
    /// Qt::DisplayRole; an invalid QVariant for other roles and other indexes.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    /// Replaces the row's record with the PlaylistItemData in value, whatever
    /// the role; emits dataChanged() and tells the observers. False for an
    /// index that is not a row of this model.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    /// No headers: always an invalid QVariant.
    QVariant headerData(
        int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    /// MimeType alone.
    QStringList mimeTypes() const override;
    /// A new QMimeData (the caller's) with the payload of the given rows
    /// (duplicates and foreign indexes left out) under MimeType.
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    /// Copy and move.
    Qt::DropActions supportedDragActions() const override;
    /// Inserts count default records before row (0 to rowCount()); false for
    /// anything else. Tells the observers once.
    bool insertRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;
    /// Removes count rows from row on, as many as there are; false when row
    /// is no row or count is below 1. Tells the observers once.
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;
    /// Rows are enabled, selectable, draggable and accept drops.
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    /// The observer is not owned and must outlive the model; null, or adding
    /// it twice, has no effect. There is no removal.
    void AddObserver(IPlaylistModelEventObserver* observer);
    /// Inserts item before row (−1 appends). Returns the new row's index,
    /// invalid if nothing was inserted. The observers are told twice: of the
    /// new row and of its record.
    QPersistentModelIndex InsertItem(const PlaylistItemData& item, int row);
    /// Stores item over the row of index, as setData() does; an invalid index
    /// is ignored.
    void UpdateItem(const QPersistentModelIndex& index, const PlaylistItemData& item);
    /// The stored record of row (0 to rowCount() − 1), without its
    /// persistent index; valid until the model changes.
    const PlaylistItemData& ItemAt(int row) const;

    /// \name Bulk edits
    /// For hosts that restore or rearrange many rows at once, such as an undo
    /// of a cleared list; each is one change of the model, told once.
    //@{
    /// Inserts the records before row (−1 appends) as one insertion, their
    /// persistent indexes cleared. False, inserting nothing, for no records
    /// or a row outside 0 to rowCount().
    bool InsertItems(std::vector<PlaylistItemData> items, int row);
    /// Removes count rows from row on and hands their records out, moved
    /// rather than copied; empty, removing nothing, unless all of them exist.
    std::vector<PlaylistItemData> TakeItems(int row, int count);
    /// Puts the rows in a new order: row i then holds what row order[i] held.
    /// Persistent indexes (the active entry, the selection) follow their
    /// records, as a layout change. False, changing nothing, unless order
    /// holds every row exactly once.
    bool Reorder(const std::vector<int>& order);
    //@}

private:
    bool IsRowIndex(const QModelIndex& index) const;
    void NotifyObservers();

    std::vector<PlaylistItemData> m_items;
    ObserverList<IPlaylistModelEventObserver> m_observers;
};

} // namespace Tarvos::Gui
