#pragma once

#include "Gui/Reelkit/PlaylistController.h"
#include "Gui/Reelkit/ReelkitExport.h"

#include <QWidget>
#include <boost/intrusive_ptr.hpp>
#include <string>

class QMenu;

namespace Ui {
class Playlist;
}

namespace Tarvos::Gui {

// The playlist as a host puts it into its window: the list, a busy indicator
// and the "add" buttons, with the controller that runs the list. The widget
// adds no files itself; the host reacts to the click signals and adds them
// through the controller.
class REELKIT_EXPORT Playlist : public QWidget
{
    Q_OBJECT

public:
    explicit Playlist(QWidget* parent = nullptr);
    ~Playlist() override;

    // A new reference to the controller; the list view must outlive it.
    boost::intrusive_ptr<PlaylistController> GetController() const;
    // The list view's selected row, −1 if none.
    int GetSelectedRow() const;
    // The list view takes the menu over as its context menu.
    void SetContextMenu(QMenu* menu);
    // While busy the bar runs, the add buttons are disabled and a non-empty
    // text is shown above the bar.
    void ShowBusy(bool busy, const QString& text);

signals:
    void AddFileClicked();
    void AddFolderClicked();
    void AddDvdClicked();
    void Add3DClicked();
    // The UTF-8 path of the file whose information the user asked for.
    void ShowFileInfoDialog(std::string path);

protected:
    void changeEvent(QEvent* event) override;

private:
    static constexpr qreal ShadowBlurRadius = 1.0;
    static constexpr QPointF ShadowOffset { 0, 1 };
    static constexpr int ShadowAlpha = 128;

    boost::intrusive_ptr<PlaylistController> m_controller;
    Ui::Playlist* m_ui;
};

} // namespace Tarvos::Gui
