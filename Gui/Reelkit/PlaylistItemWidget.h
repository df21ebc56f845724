#pragma once

#include "Gui/Reelkit/ReelkitExport.h"
#include "host/avTime.h"

#include <QSize>
#include <QWidget>
#include <memory>
#include <string>

namespace Ui {
class PlaylistItemWidget;
}

namespace Tarvos::Gui {

// One playlist row as a widget: play cursor, file icon, file name and
// duration, with a one-pixel drop separator below. PlaylistItemDelegate
// renders it for each row; it is never shown by itself.
//
// The images come from the host's resources: ":/Playlist/play_cursor.png",
// ":/Playlist/error.png" and ":/MainForm/dvd.png".
class REELKIT_EXPORT PlaylistItemWidget : public QWidget
{
    Q_OBJECT

public:
    explicit PlaylistItemWidget(QWidget* parent = nullptr);
    ~PlaylistItemWidget() override;

    // Shows the last path component, elided to the name label's current
    // width, and sets the icon: the DVD image or the file type's icon.
    void SetFilename(std::string name);
    // As HH:mm:ss; 24 hours and more wrap around.
    void SetDuration(avTime duration);
    void SetActive(bool active);
    void SetUnderDrop(bool underDrop);
    // Puts the error badge on the icon that SetFilename set; false changes nothing.
    void SetInvalid(bool invalid);
    // Takes effect with the next SetFilename.
    void SetDVD(bool dvd);

private:
    const QSize m_iconSize;
    std::unique_ptr<Ui::PlaylistItemWidget> m_ui;
    bool m_dvd = false;
};

} // namespace Tarvos::Gui
