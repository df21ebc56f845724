#pragma once

#include <QObject>
#include <QRect>
#include <QTimer>

class QKeyEvent;
class QWidget;

namespace Tarvos::Gui {
class PlaybackControlPanelSwitcher;
}

namespace Player {

// Full screen for the main window: the window covers its screen, the
// switcher's full-screen panel slides in, and after a pause of the mouse the
// panel slides out and the pointer disappears over the picture; a move brings
// both back. Tab or Shift+Tab outside the panel brings it back with the
// keyboard focus on its first or last control; the panel stays while the
// focus is in it. The application-wide event filter that watches the mouse
// and the keys exists only while full screen is on.
class FullScreen : public QObject
{
    Q_OBJECT

public:
    // None of the three is owned; all must outlive this object.
    FullScreen(QWidget* window, QWidget* picture,
        Tarvos::Gui::PlaybackControlPanelSwitcher* switcher, int hideDelayMs);
    ~FullScreen() override;

    bool IsOn() const { return m_on; }
    // Leaving restores the window's earlier geometry.
    void SetOn(bool on);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnHideTimeout();
    // Shows the panel and moves the focus into it for a Tab sent to another
    // window; true when the key was taken.
    bool EnterPanel(QWidget* receiver, const QKeyEvent* key);
    bool HasFocusInPanel() const;

    QWidget* m_window;
    QWidget* m_picture;
    Tarvos::Gui::PlaybackControlPanelSwitcher* m_switcher;
    QTimer m_hideTimer;
    QRect m_normalGeometry;
    bool m_on = false;
};

} // namespace Player
