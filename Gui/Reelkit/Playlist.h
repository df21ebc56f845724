#pragma once

#include "Gui/Reelkit/PlaylistController.h"
#include "Gui/Reelkit/ReelkitExport.h"

#include <QWidget>
#include <boost/intrusive_ptr.hpp>
#include <memory>
#include <string>

class QMenu;

namespace Ui {
class Playlist;
}

namespace Tarvos::Gui {

/// The playlist as a host puts it into its window: the list, a busy indicator
/// and the "add" buttons, with the controller that runs the list. The widget
/// adds no files itself; the host reacts to the click signals and adds them
/// through the controller.
///
/// Its children keep the object names of its form ("ListView", "AddFile",
/// "AddFolder", "AddDvd", "Add3D", "busyBar", "busyLabel") for the host's
/// style sheet. Texts are retranslated on a language change.
class REELKIT_EXPORT Playlist : public QWidget
{
    Q_OBJECT

public:
    /// The frame with an empty list, its controller made for the list view,
    /// not busy. The "Add3D" button is hidden.
    explicit Playlist(QWidget* parent = nullptr);
    /// Drops the frame's reference to the controller while the list view still
    /// exists.
    ~Playlist() override;

    /// A new reference to the controller, made with the frame. The controller
    /// drives the frame's list view, which must outlive it: release the
    /// reference before the frame goes.
    boost::intrusive_ptr<PlaylistController> GetController() const;
    /// The list view's selected row (PlaylistListView::GetSelectedRow()), −1 if none.
    int GetSelectedRow() const;
    /// The list view takes the menu over as its context menu (and deletes the
    /// one set before); see PlaylistListView::SetContextMenu().
    void SetContextMenu(QMenu* menu);
    /// While busy the bar runs, the "File", "Folder" and "DVD" buttons are
    /// disabled and a non-empty text is shown above the bar; an empty text
    /// keeps the last one but hides the label.
    void ShowBusy(bool busy, const QString& text);

signals:
    /// The "AddFile" button was clicked: the host picks files and adds them
    /// with PlaylistController::AddFile().
    void AddFileClicked();
    /// The "AddFolder" button was clicked.
    void AddFolderClicked();
    /// The "AddDvd" button was clicked.
    void AddDvdClicked();
    /// The "Add3D" button was clicked; it is hidden unless the host shows it.
    void Add3DClicked();
    /// The UTF-8 path of the file whose information the user asked for in the
    /// context menu (relayed from PlaylistListView::ShowFileInfo()).
    void ShowFileInfoDialog(std::string path);

protected:
    /// Retranslates the texts on QEvent::LanguageChange.
    void changeEvent(QEvent* event) override;

private:
    static constexpr qreal ShadowBlurRadius = 1.0;
    static constexpr QPointF ShadowOffset { 0, 1 };
    static constexpr int ShadowAlpha = 128;

    boost::intrusive_ptr<PlaylistController> m_controller;
    std::unique_ptr<Ui::Playlist> m_ui;
};

} // namespace Tarvos::Gui
