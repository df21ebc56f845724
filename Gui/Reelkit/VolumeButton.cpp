#include "Gui/Reelkit/VolumeButton.h"

#include "Gui/Reelkit/AccessibleFactory.h"

#include <QEvent>
#include <QKeyEvent>
#include <QSlider>
#include <QTimer>
#include <QToolButton>
#include <QVariant>

namespace Tarvos::Gui {

VolumeButton::VolumeButton(QWidget* parent)
    : QStackedWidget(parent)
{
    AccessibleFactory::Attach(this);
    setProperty("styleTag", QStringLiteral("volumeButtonMain"));
    // The page buttons never take the focus; the widget does, for the keyboard.
    setFocusPolicy(Qt::TabFocus);
    for (int i = 0; i < PageCount; ++i) {
        auto* button = new QToolButton(this);
        button->setCheckable(true);
        button->setChecked(false);
        button->setProperty("styleTag", QStringLiteral("volumeButton%1").arg(i));
        addWidget(button);
        button->setFocusPolicy(Qt::NoFocus);
        m_buttons.append(button);
    }
    for (QToolButton* button : qAsConst(m_buttons))
        connect(button, &QToolButton::toggled, this, &VolumeButton::onToogle);

    // A child until opened; it then becomes a window of its own above the button.
    m_slider = new QSlider(Qt::Vertical, this);
    m_slider->setObjectName(QStringLiteral("m_slider"));
    m_slider->setRange(0, 100);
    m_slider->hide();
    m_slider->installEventFilter(this);
    connect(m_slider, &QSlider::valueChanged, this, &VolumeButton::SetVolume);

    setCurrentIndex(0);

    m_hideTimer = new QTimer(this);
    m_hideTimer->setSingleShot(true);
    m_hideTimer->setInterval(HideCheckInterval);
    connect(m_hideTimer, &QTimer::timeout, this, &VolumeButton::OnHideCheck);
}

void VolumeButton::setMainWindow(QMainWindow* window)
{
    m_mainWindow = window;
}

void VolumeButton::SetVolume(int volume)
{
    volume = qBound(0, volume, 100);
    {
        // The slider reports its changes here; setting it must not loop back.
        const QSignalBlocker blocker(m_slider);
        m_slider->setValue(volume);
    }
    // Page 0 is silence; pages 1 to 4 are the quarters of 1 to 100.
    setCurrentIndex((volume + 24) / 25);
    AccessibleFactory::ValueChanged(this, volume);
    emit VolumeChanged(volume);
}

void VolumeButton::Mute(bool mute)
{
    if (mute)
        SetVolume(0);
}

double VolumeButton::volume() const
{
    return m_slider->value();
}

void VolumeButton::showSlider()
{
    if (!m_mainWindow)
        return;
    if (m_slider->isVisible())
        m_slider->hide();
    else
        OpenSlider(Qt::SplashScreen);
}

void VolumeButton::onToogle(bool val)
{
    m_checked = val;
    if (!val) {
        m_slider->hide();
    } else if (!m_slider->isVisible()) {
        OpenSlider(Qt::SplashScreen | Qt::WindowStaysOnTopHint);
        m_hideTimer->start();
    }
}

void VolumeButton::OpenSlider(Qt::WindowFlags flags)
{
    m_slider->resize(width(), SliderHeight);
    m_slider->setWindowFlags(flags);
    m_slider->move(mapToGlobal(QPoint(0, 0)) - QPoint(0, SliderHeight));
    m_slider->show();
    // Not every window system activates a new window by itself; without the
    // focus, a click elsewhere would not close the pop-up.
    m_slider->activateWindow();
    m_slider->setFocus(Qt::OtherFocusReason);
}

void VolumeButton::OnHideCheck()
{
    if (!m_slider->underMouse())
        m_buttons.at(currentIndex())->setChecked(false);
    else if (m_slider->isVisible())
        m_hideTimer->start();
}

bool VolumeButton::IsOpenKey(int key)
{
    return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
}

void VolumeButton::keyPressEvent(QKeyEvent* event)
{
    if (!IsOpenKey(event->key()) || m_slider->isVisible()) {
        QStackedWidget::keyPressEvent(event);
        return;
    }
    m_buttons.at(currentIndex())->setChecked(true);
    // The hide check is for the mouse, which need not be anywhere near.
    m_hideTimer->stop();
}

bool VolumeButton::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_slider && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape || (key != Qt::Key_Space && IsOpenKey(key))) {
            m_buttons.at(currentIndex())->setChecked(false);
            activateWindow();
            setFocus(Qt::OtherFocusReason);
            return true;
        }
    }
    if (watched == m_slider && event->type() == QEvent::FocusOut) {
        // A click on the button toggles it by itself; closing here as well
        // would make that click open the pop-up again.
        QToolButton* current = m_buttons.at(currentIndex());
        if (!current->underMouse())
            current->setChecked(false);
    }
    return false;
}

void VolumeButton::setCurrentIndex(int index)
{
    m_buttons.at(index)->setChecked(m_checked);
    QStackedWidget::setCurrentIndex(index);
}

int VolumeButton::getSliderOffset() const
{
    return m_sliderOffset;
}

void VolumeButton::setSliderOffset(int offset)
{
    m_sliderOffset = offset;
}

} // namespace Tarvos::Gui
