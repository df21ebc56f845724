#include "Gui/Reelkit/PlaylistItemDelegate.h"

#include "Gui/Reelkit/PlaylistItemData.h"
#include "Gui/Reelkit/PlaylistItemWidget.h"

#include <QPainter>
#include <QPalette>

namespace Tarvos::Gui {

PlaylistItemDelegate::PlaylistItemDelegate(QObject* parent)
    : QItemDelegate(parent)
    , m_row(std::make_unique<PlaylistItemWidget>())
{}

PlaylistItemDelegate::~PlaylistItemDelegate() = default;

void PlaylistItemDelegate::paint(
    QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const PlaylistItemData item = index.data(Qt::DisplayRole).value<PlaylistItemData>();
    m_row->SetDVD(item.IsDVD());
    // Elided to the width of the previous row; all rows of a view share one width.
    m_row->SetFilename(item.GetName());
    m_row->SetDuration(item.GetFileDuration());
    m_row->SetActive(item.GetActive());
    m_row->SetUnderDrop(item.GetUnderDrop());
    m_row->SetInvalid(!item.IsValid());

    QPalette palette;
    palette.setBrush(QPalette::WindowText, QBrush(Qt::white));
    QColor background(Qt::transparent);
    if (option.state & QStyle::State_Selected)
        background = QColor::fromRgba(SelectedBackground);
    else if (item.GetActive())
        background = QColor::fromRgba(ActiveBackground);
    palette.setBrush(QPalette::Window, QBrush(background));
    m_row->setPalette(palette);
    m_row->resize(option.rect.size());

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->translate(option.rect.topLeft());
    m_row->render(
        painter, QPoint(0, 0), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    painter->restore();
}

QSize PlaylistItemDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const
{
    return QSize(RowWidth, RowHeight);
}

} // namespace Tarvos::Gui
