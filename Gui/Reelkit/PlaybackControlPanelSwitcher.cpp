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
    windowedWidget = windowed;
    fullscreenWidget = fullscreen;
    fullscreenWidget->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    fullscreenWidget->setSizePolicy(QSizePolicy(QSizePolicy::Expanding, QSizePolicy::Maximum));
    SetWidget(windowedWidget);
}

void PlaybackControlPanelSwitcher::GoFullscreen(int screen)
{
    windowedWidget->setEnabled(false);
    fullscreenWidget->setEnabled(true);
    SetWidget(fullscreenWidget);
    isFullscreen = true;
    fullscreenWidget->show();
    SetFullscreenChecked(true);

    // Along the bottom, its lowest row one above the screen's last row.
    const QRect screenGeometry = ScreenGeometry(screen);
    const int height = fullscreenWidget->height();
    fullscreenWidget->resize(screenGeometry.width(), height);
    fullscreenWidget->move(screenGeometry.left(), screenGeometry.bottom() - height);
    shownGeometry = fullscreenWidget->geometry();
    shown = true;
}

void PlaybackControlPanelSwitcher::GoWindowed()
{
    isFullscreen = false;
    fullscreenWidget->hide();
    SetFullscreenChecked(false);
    SetWidget(windowedWidget);
    fullscreenWidget->setEnabled(false);
    windowedWidget->setEnabled(true);
}

void PlaybackControlPanelSwitcher::Show()
{
    if (shown)
        return;
    shown = true;
    AnimateWidgetGeometry(fullscreenWidget, shownGeometry);
}

void PlaybackControlPanelSwitcher::Hide()
{
    if (!shown)
        return;
    shown = false;
    // Down by its own height: its top row stays on the screen's last row.
    AnimateWidgetGeometry(fullscreenWidget, shownGeometry.translated(0, shownGeometry.height()));
}

void PlaybackControlPanelSwitcher::SetShowHideDuration(int milliseconds)
{
    showHideDuration = milliseconds;
}

bool PlaybackControlPanelSwitcher::IsCursorOverPanel() const
{
    if (!isFullscreen)
        return true;
    for (const QWidget* widget = QApplication::widgetAt(QCursor::pos()); widget;
         widget = widget->parentWidget()) {
        if (widget == fullscreenWidget)
            return true;
    }
    return false;
}

QWidget* PlaybackControlPanelSwitcher::GetPlaybackControlPanel() const
{
    return isFullscreen ? fullscreenWidget : windowedWidget;
}

void PlaybackControlPanelSwitcher::AnimateWidgetGeometry(
    QWidget* target, const QVariant& endGeometry)
{
    // Runs alongside any animation still going; it deletes itself when done.
    auto* animation = new QPropertyAnimation(target, "geometry");
    animation->setDuration(showHideDuration);
    animation->setStartValue(target->geometry());
    animation->setEndValue(endGeometry);
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

} // namespace Tarvos::Gui
