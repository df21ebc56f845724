#include "Gui/Reelkit/PlaybackControlPanelSwitcher.h"

#include "host/StateWidget.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QPropertyAnimation>
#include <QScreen>

namespace Tarvos::Gui {

namespace {

// The geometry of desktop screen number `screen`; the primary screen's for a
// number that names no screen.
QRect ScreenGeometry(int screen)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screen >= 0 && screen < screens.size())
        return screens.at(screen)->geometry();
    const QScreen* primary = QGuiApplication::primaryScreen();
    return primary ? primary->geometry() : QRect();
}

} // namespace

PlaybackControlPanelSwitcher::PlaybackControlPanelSwitcher(
    QObject* parent, StateWidget* windowed, StateWidget* fullscreen)
    : PlaybackControlPanelLogic(parent)
{
    InitializeWithWidgets(windowed, fullscreen);
}

PlaybackControlPanelSwitcher::~PlaybackControlPanelSwitcher() = default;

void PlaybackControlPanelSwitcher::InitializeWithWidgets(
    StateWidget* windowed, StateWidget* fullscreen)
{
    if (!windowed || !fullscreen)
        return;
    m_windowedWidget = windowed;
    m_fullscreenWidget = fullscreen;
    m_fullscreenWidget->setWindowFlags(
        Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    m_fullscreenWidget->setSizePolicy(QSizePolicy(QSizePolicy::Expanding, QSizePolicy::Maximum));
    SetWidget(m_windowedWidget);
}

void PlaybackControlPanelSwitcher::GoFullscreen(int screen)
{
    m_windowedWidget->setEnabled(false);
    m_fullscreenWidget->setEnabled(true);
    SetWidget(m_fullscreenWidget);
    m_isFullscreen = true;
    m_fullscreenWidget->show();
    SetFullscreenChecked(true);

    // Along the bottom, its lowest row one above the screen's last row.
    const QRect screenGeometry = ScreenGeometry(screen);
    const int height = m_fullscreenWidget->height();
    m_fullscreenWidget->resize(screenGeometry.width(), height);
    m_fullscreenWidget->move(screenGeometry.left(), screenGeometry.bottom() - height);
    m_shownGeometry = m_fullscreenWidget->geometry();
    m_shown = true;
    SetPanelOutOfView(false);
}

void PlaybackControlPanelSwitcher::GoWindowed()
{
    m_isFullscreen = false;
    SetPanelOutOfView(false);
    m_fullscreenWidget->hide();
    SetFullscreenChecked(false);
    SetWidget(m_windowedWidget);
    m_fullscreenWidget->setEnabled(false);
    m_windowedWidget->setEnabled(true);
}

void PlaybackControlPanelSwitcher::Show()
{
    if (m_shown)
        return;
    m_shown = true;
    SetPanelOutOfView(false);
    AnimateWidgetGeometry(m_fullscreenWidget, m_shownGeometry);
}

void PlaybackControlPanelSwitcher::Hide()
{
    if (!m_shown)
        return;
    m_shown = false;
    // The one row left on the screen shows no position.
    SetPanelOutOfView(true);
    // Down by its own height: its top row stays on the screen's last row.
    AnimateWidgetGeometry(
        m_fullscreenWidget, m_shownGeometry.translated(0, m_shownGeometry.height()));
}

void PlaybackControlPanelSwitcher::SetShowHideDuration(int milliseconds)
{
    m_showHideDuration = milliseconds;
}

void PlaybackControlPanelSwitcher::SetReduceMotion(bool reduce)
{
    m_reduceMotion = reduce;
}

bool PlaybackControlPanelSwitcher::IsCursorOverPanel() const
{
    if (!m_isFullscreen)
        return true;
    for (const QWidget* widget = QApplication::widgetAt(QCursor::pos()); widget;
         widget = widget->parentWidget()) {
        if (widget == m_fullscreenWidget)
            return true;
    }
    return false;
}

QWidget* PlaybackControlPanelSwitcher::GetPlaybackControlPanel() const
{
    return m_isFullscreen ? m_fullscreenWidget : m_windowedWidget;
}

void PlaybackControlPanelSwitcher::AnimateWidgetGeometry(
    QWidget* target, const QVariant& endGeometry)
{
    // Runs alongside any animation still going; it deletes itself when done,
    // or goes with the panel it moves.
    auto* animation = new QPropertyAnimation(target, "geometry", target);
    animation->setDuration(m_reduceMotion ? 0 : m_showHideDuration);
    animation->setStartValue(target->geometry());
    animation->setEndValue(endGeometry);
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

} // namespace Tarvos::Gui
