#include "Gui/Reelkit/PlaylistItemData.h"
#include "Gui/Reelkit/PlaylistItemDelegate.h"
#include "Gui/Reelkit/PlaylistListView.h"
#include "Gui/Reelkit/PlaylistModel.h"
#include "Sections.h"
#include "host/DVDLabel.h"
#include "host/MediaSourceInfo.h"

using namespace Tarvos;

// The playlist's list with one row in each state: playing, selected,
// invalid, a DVD title and the row after which a drop would insert.
QWidget* CreatePlaylistSection(QWidget* parent)
{
    Util::SetDVDLabelLookup([](const ioPath&) { return std::string("HOLIDAY_2019"); });

    auto* view = new Gui::PlaylistListView(parent);
    view->setStyleSheet(QStringLiteral("background: #2b2b2b;"));
    view->setFrameShape(QFrame::NoFrame);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setDragDropMode(QAbstractItemView::DragDrop);
    view->setDefaultDropAction(Qt::CopyAction);
    auto* model = new Gui::PlaylistModel(view);
    view->setModel(model);
    view->setItemDelegate(new Gui::PlaylistItemDelegate(view));

    auto add = [model](Gui::PlaylistItemData item, avTime duration) {
        item.SetFileDuration(duration);
        return model->InsertItem(item, -1);
    };
    add(Gui::PlaylistItemData(ioPath("/media/videos/holiday.mp4")), 5025000000);
    Gui::PlaylistItemData playing(ioPath("/media/videos/the sea at night.mkv"));
    playing.SetActive(true);
    add(playing, 2712000000);
    add(Gui::PlaylistItemData(ioPath("/media/videos/a rather long name of a recording that "
                                     "does not fit.avi")),
        61000000);
    Gui::PlaylistItemData broken(ioPath("/media/videos/broken.mp4"));
    broken.SetValid(false);
    add(broken, 0);
    Gui::PlaylistItemData dvd(
        Sarnet::MediaSourceInfo::Create(ioPath("dvd://E:/:title=1"), 6120000000, "dvd"));
    dvd.SetUnderDrop(true);
    add(dvd, dvd.GetFileDuration());
    add(Gui::PlaylistItemData(
            Sarnet::MediaSourceInfo::Create(ioPath("dvd://E:/:title=4"), 300000000, "dvd")),
        300000000);

    view->selectionModel()->select(model->index(2, 0), QItemSelectionModel::Select);
    view->setFixedSize(360, 6 * Gui::PlaylistItemDelegate::RowHeight);
    return view;
}
