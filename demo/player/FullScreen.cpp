#include "FullScreen.h"

#include "Gui/Reelkit/PlaybackControlPanelSwitcher.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QScreen>
#include <QWidget>

namespace Player {

FullScreen::FullScreen(QWidget* window, QWidget* picture,
    Tarvos::Gui::PlaybackControlPanelSwitcher* switcher, int hideDelayMs)
    : m_window(window)
    , m_picture(picture)
    , m_switcher(switcher)
{
    m_hideTimer.setSingleShot(true);
    m_hideTimer.setInterval(hideDelayMs);
    connect(&m_hideTimer, &QTimer::timeout, this, &FullScreen::OnHideTimeout);
}

FullScreen::~FullScreen()
{
    if (m_on)
        qApp->removeEventFilter(this);
}

void FullScreen::SetOn(bool on)
{
    if (on == m_on)
        return;
    m_on = on;
    if (on) {
        m_normalGeometry = m_window->geometry();
        // Without a window manager the state alone does not resize the window;
        // placed first, since a later placement would clear the state.
        QScreen* screen = m_window->screen();
        m_window->setGeometry(screen->geometry());
        m_window->showFullScreen();
        m_switcher->GoFullscreen(QGuiApplication::screens().indexOf(screen));
        qApp->installEventFilter(this);
        m_hideTimer.start();
    } else {
        qApp->removeEventFilter(this);
        m_hideTimer.stop();
        m_picture->unsetCursor();
        m_switcher->GoWindowed();
        m_window->showNormal();
        m_window->setGeometry(m_normalGeometry);
    }
}

bool FullScreen::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove) {
        m_switcher->Show();
        m_picture->unsetCursor();
        m_hideTimer.start();
    } else if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        m_hideTimer.start();
        if (EnterPanel(static_cast<QWidget*>(watched), static_cast<QKeyEvent*>(event)))
            return true;
    }
    return QObject::eventFilter(watched, event);
}

bool FullScreen::EnterPanel(QWidget* receiver, const QKeyEvent* key)
{
    QWidget* panel = m_switcher->GetPlaybackControlPanel();
    // Keys for the panel's own window, this Tab among them, move within it.
    if ((key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab) || receiver->window() == panel)
        return false;
    m_switcher->Show();
    // Entering starts at an end of the panel, not where the focus last was.
    if (QWidget* last = panel->focusWidget())
        last->clearFocus();
    panel->activateWindow();
    // The panel is a window of its own: a Tab sent to it starts its focus
    // chain from the first control, a Backtab from the last.
    QKeyEvent tab(QEvent::KeyPress, key->key(), key->modifiers());
    QCoreApplication::sendEvent(panel, &tab);
    return true;
}

bool FullScreen::HasFocusInPanel() const
{
    const QWidget* focus = QApplication::focusWidget();
    return focus && m_switcher->GetPlaybackControlPanel()->isAncestorOf(focus);
}

void FullScreen::OnHideTimeout()
{
    if (m_switcher->IsCursorOverPanel() || HasFocusInPanel()) {
        m_hideTimer.start();
        return;
    }
    m_switcher->Hide();
    m_picture->setCursor(Qt::BlankCursor);
}

} // namespace Player
