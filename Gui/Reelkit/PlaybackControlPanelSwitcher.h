#pragma once

#include "Gui/Reelkit/PlaybackControlPanelLogic.h"

#include <QRect>

class QVariant;

namespace Tarvos::Gui {

// The panel logic for a player that goes full screen: binds either a windowed
// panel or a frameless full-screen panel along the bottom of a screen, and
// slides the latter out of view and back. Neither panel is owned.
class REELKIT_EXPORT PlaybackControlPanelSwitcher : public PlaybackControlPanelLogic
{
public:
    PlaybackControlPanelSwitcher(QObject* parent, StateWidget* windowed, StateWidget* fullscreen);
    ~PlaybackControlPanelSwitcher() override;

    // Takes both panels and binds the windowed one; ignored if either is null.
    void InitializeWithWidgets(StateWidget* windowed, StateWidget* fullscreen);

    void GoFullscreen(int screen);
    void GoWindowed();
    void Show();
    void Hide();
    void SetShowHideDuration(int milliseconds);
    // Always true in windowed mode.
    bool IsCursorOverPanel() const;
    QWidget* GetPlaybackControlPanel() const;

private:
    void AnimateWidgetGeometry(QWidget* target, const QVariant& endGeometry);

    bool isFullscreen = false;
    StateWidget* windowedWidget = nullptr; // not owned
    StateWidget* fullscreenWidget = nullptr; // not owned
    bool shown = false;
    int showHideDuration = 0;
    QRect shownGeometry;
};

} // namespace Tarvos::Gui
