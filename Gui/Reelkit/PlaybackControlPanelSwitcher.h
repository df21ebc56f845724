#pragma once

#include "Gui/Reelkit/PlaybackControlPanelLogic.h"

#include <QRect>

class QVariant;

namespace Tarvos::Gui {

/// The panel logic for a player that goes full screen: binds either a windowed
/// panel or a frameless full-screen panel along the bottom of a screen, and
/// slides the latter out of view and back. Neither panel is owned; both must
/// outlive the switcher. GUI thread only, like the logic's own operations.
class REELKIT_EXPORT PlaybackControlPanelSwitcher : public PlaybackControlPanelLogic
{
public:
    /// A switcher in windowed mode, initialised with InitializeWithWidgets().
    PlaybackControlPanelSwitcher(QObject* parent, StateWidget* windowed, StateWidget* fullscreen);
    /// Leaves both panels as they are.
    ~PlaybackControlPanelSwitcher() override;

    /// Takes both panels and binds the windowed one; ignored if either is null.
    /// The full-screen panel becomes a frameless tool window that stays on top.
    /// The other operations need both panels: call them only once this took them.
    void InitializeWithWidgets(StateWidget* windowed, StateWidget* fullscreen);

    /// Binds the full-screen panel (handing the state over), enables it and
    /// disables the windowed one, checks "Fullscreen" and shows the panel
    /// across the bottom of desktop screen number screen (the primary screen
    /// for a number that names none), its lowest row one above the screen's
    /// last row. The panel counts as shown.
    void GoFullscreen(int screen);
    /// Hides the full-screen panel, unchecks "Fullscreen", binds the windowed
    /// panel again and enables it alone.
    void GoWindowed();
    /// Slides the full-screen panel back to where GoFullscreen() put it, over
    /// the show/hide duration; nothing if it is shown already.
    void Show();
    /// Slides the full-screen panel down by its own height, so that its top
    /// row stays on the screen's last row; nothing if it is hidden already.
    /// Until Show(), the panel's position controls wait (see SetPosition()).
    void Hide();
    /// Length of the Show() and Hide() animations, in milliseconds; default 0.
    void SetShowHideDuration(int milliseconds);
    /// With reduce set, Show() and Hide() move the panel at once, whatever
    /// the show/hide duration, for users who turn motion off; default false.
    void SetReduceMotion(bool reduce);
    /// Whether the widget under the mouse cursor is the full-screen panel or
    /// one of its children; always true in windowed mode.
    bool IsCursorOverPanel() const;
    /// The panel bound now: the full-screen one in full-screen mode, else the
    /// windowed one (null before InitializeWithWidgets() took them).
    QWidget* GetPlaybackControlPanel() const;

private:
    void AnimateWidgetGeometry(QWidget* target, const QVariant& endGeometry);

    bool m_isFullscreen = false;
    StateWidget* m_windowedWidget = nullptr; // not owned
    StateWidget* m_fullscreenWidget = nullptr; // not owned
    bool m_shown = false;
    int m_showHideDuration = 0;
    bool m_reduceMotion = false;
    QRect m_shownGeometry;
};

} // namespace Tarvos::Gui
