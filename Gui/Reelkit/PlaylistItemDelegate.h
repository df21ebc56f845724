#pragma once

#include "Gui/Reelkit/ReelkitExport.h"

#include <QItemDelegate>
#include <QRgb>

namespace Tarvos::Gui {

class PlaylistItemWidget;

// Paints every playlist row by loading its entry into one PlaylistItemWidget
// and rendering that at the row's place. All rows have the same height; the
// delegate edits nothing.
class REELKIT_EXPORT PlaylistItemDelegate : public QItemDelegate
{
    Q_OBJECT

public:
    static constexpr int RowWidth = 100;
    static constexpr int RowHeight = 24;
    // Row backgrounds; other rows are transparent. Selection wins over playing.
    static constexpr QRgb SelectedBackground = 0xff3486b1;
    static constexpr QRgb ActiveBackground = 0xff5a5a5a;

    explicit PlaylistItemDelegate(QObject* parent = nullptr);
    ~PlaylistItemDelegate() override;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
        const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    // Owned; shared by all rows, one paint at a time.
    PlaylistItemWidget* m_row;
};

} // namespace Tarvos::Gui
