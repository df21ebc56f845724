#include "Gui/Reelkit/PlaylistItemDelegate.h"

#include "Gui/Reelkit/PlaylistItemData.h"
#include "Gui/Reelkit/PlaylistItemWidget.h"
#include "Gui/Reelkit/PlaylistModel.h"
#include "Gui/Reelkit/PlaylistRowCache.h"

#include <QPainter>
#include <QPalette>
#include <QPixmap>

namespace Tarvos::Gui {

PlaylistItemDelegate::PlaylistItemDelegate(QObject* parent)
    : QItemDelegate(parent)
    , m_row(std::make_unique<PlaylistItemWidget>())
    , m_cache(std::make_unique<PlaylistRowCache>())
{}

PlaylistItemDelegate::~PlaylistItemDelegate() = default;

void PlaylistItemDelegate::paint(
    QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    // The model's own record when it is ours: a copy through data() would
    // register a persistent index for every row painted.
    const auto* model = qobject_cast<const PlaylistModel*>(index.model());
    const PlaylistItemData copy
        = model ? PlaylistItemData() : index.data(Qt::DisplayRole).value<PlaylistItemData>();
    const PlaylistItemData& item = model ? model->ItemAt(index.row()) : copy;

    QColor background(Qt::transparent);
    if (option.state & QStyle::State_Selected)
        background = QColor::fromRgba(SelectedBackground);
    else if (item.GetActive())
        background = QColor::fromRgba(ActiveBackground);
    const qreal pixelRatio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    PlaylistRowCache::Key key { item.GetName(), item.GetFileDuration(), item.IsDVD(),
        item.GetActive(), item.GetUnderDrop(), !item.IsValid(), background.rgba(),
        option.rect.size(), pixelRatio, m_row->GetGeneration(), QPalette().cacheKey() };

    QPixmap picture;
    if (const QPixmap* cached = m_cache->Find(key)) {
        picture = *cached;
    } else {
        m_row->SetDVD(key.dvd);
        m_row->SetFilename(key.name);
        m_row->SetDuration(key.duration);
        m_row->SetActive(key.active);
        m_row->SetUnderDrop(key.underDrop);
        m_row->SetInvalid(key.invalid);
        m_row->SetBackground(background);

        picture = QPixmap(key.size * pixelRatio);
        picture.setDevicePixelRatio(pixelRatio);
        picture.fill(Qt::transparent);
        QPainter rowPainter(&picture);
        rowPainter.setRenderHint(QPainter::Antialiasing);
        m_row->Render(&rowPainter, key.size);
        rowPainter.end();
        m_cache->Insert(key, picture);
    }
    painter->drawPixmap(option.rect.topLeft(), picture);
}

QSize PlaylistItemDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const
{
    return QSize(RowWidth, RowHeight);
}

} // namespace Tarvos::Gui
