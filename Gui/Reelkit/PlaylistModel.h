#pragma once

#include "Gui/Reelkit/ObserverList.h"
#include "Gui/Reelkit/ReelkitExport.h"

#include <QAbstractListModel>
#include <QList>

namespace Tarvos::Gui {

class IPlaylistModelEventObserver;
class PlaylistItemData;

// The rows of the playlist, one PlaylistItemData each. Records go out by value
// with Qt::DisplayRole and come back whole through setData, whatever the role.
// Dragged rows travel as a list of paths under MimeType.
class REELKIT_EXPORT PlaylistModel : public QAbstractListModel
{
    Q_OBJECT

public:
    static const QString MimeType;

    explicit PlaylistModel(QObject* parent = nullptr);
    ~PlaylistModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(
        int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDragActions() const override;
    bool insertRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The observer is not owned and must outlive the model; adding it twice
    // has no effect.
    void AddObserver(IPlaylistModelEventObserver* observer);
    // Row −1 appends. Returns the new row's index, invalid if nothing was inserted.
    QPersistentModelIndex InsertItem(const PlaylistItemData& item, int row);
    void UpdateItem(const QPersistentModelIndex& index, const PlaylistItemData& item);

private:
    bool IsRowIndex(const QModelIndex& index) const;
    void NotifyObservers();

    QList<PlaylistItemData> m_items;
    ObserverList<IPlaylistModelEventObserver> m_observers;
};

} // namespace Tarvos::Gui
