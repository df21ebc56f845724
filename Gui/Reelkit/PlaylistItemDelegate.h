#pragma once

#include "Gui/Reelkit/ReelkitExport.h"

#include <QItemDelegate>
#include <QRgb>
#include <memory>

namespace Tarvos::Gui {

class PlaylistItemWidget;
class PlaylistRowCache;

/// Paints every playlist row by loading its entry into one row widget and
/// rendering that at the row's place: play cursor on the active entry, the
/// file's icon (the DVD image for DVD titles, an error badge on invalid
/// entries), the name elided to fit and the duration as HH:mm:ss, with a drop
/// separator under the row marked under-drop. All rows have the same height;
/// the delegate edits nothing. Rows hold PlaylistItemData (Qt::DisplayRole).
///
/// The images come from the host's resources: ":/Playlist/play_cursor.png",
/// ":/Playlist/error.png" and ":/MainForm/dvd.png".
class REELKIT_EXPORT PlaylistItemDelegate : public QItemDelegate
{
    Q_OBJECT

public:
    /// The width of every row's size hint, in pixels; the view stretches rows.
    static constexpr int RowWidth = 100;
    /// The height of every row, in pixels.
    static constexpr int RowHeight = 24;
    /// \name Row backgrounds
    /// Other rows are transparent. Selection wins over playing. Texts are white.
    //@{
    /// Background of selected rows.
    static constexpr QRgb SelectedBackground = 0xff3486b1;
    /// Background of the active (playing) row.
    static constexpr QRgb ActiveBackground = 0xff5a5a5a;
    //@}

    /// A delegate with its own row widget, never shown.
    explicit PlaylistItemDelegate(QObject* parent = nullptr);
    /// Deletes the row widget.
    ~PlaylistItemDelegate() override;

    /// Renders the row of index into option.rect, the name elided to the
    /// row's width. Rows rendered before are drawn again from a cache of
    /// their pictures, which any change of what the row shows, of its size
    /// or of the style, fonts or palette leaves behind.
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
        const QModelIndex& index) const override;
    /// RowWidth by RowHeight, whatever the row.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    // Owned; shared by all rows, one paint at a time.
    std::unique_ptr<PlaylistItemWidget> m_row;
    std::unique_ptr<PlaylistRowCache> m_cache;
};

} // namespace Tarvos::Gui
