#pragma once

#include "Gui/Reelkit/ReelkitExport.h"

#include <QList>
#include <QStackedWidget>

class QMainWindow;
class QSlider;
class QTimer;
class QToolButton;

namespace Tarvos::Gui {

// A single button showing the volume level (one page per level, styled
// through the buttons' "styleTag" properties "volumeButton0" to
// "volumeButton4"); checking it opens a vertical slider just above it, which
// closes when it loses the focus or the mouse has left it.
//
// Shares SetVolume, Mute, VolumeChanged and Muted with VolumeControl, so that
// the panel binds either by those names. Muting sets the volume to 0.
class REELKIT_EXPORT VolumeButton : public QStackedWidget
{
    Q_OBJECT
    Q_PROPERTY(int SliderOffset READ getSliderOffset WRITE setSliderOffset)

public:
    // Volume levels, one page and button each.
    static const int PageCount = 5;
    // Height of the pop-up slider, in pixels.
    static const int SliderHeight = 120;
    // How often the open pop-up checks whether the mouse is still over it.
    static const int HideCheckInterval = 2000;

    explicit VolumeButton(QWidget* parent = nullptr);

    // Without a main window (not owned), showSlider does nothing.
    void setMainWindow(QMainWindow* window);

public slots:
    void SetVolume(int volume);
    void Mute(bool mute);
    double volume() const;
    void showSlider();
    void onToogle(bool val);

signals:
    void VolumeChanged(int volume);
    // Part of the contract shared with VolumeControl; never emitted, as
    // muting here is a volume of 0.
    void Muted(bool muted);

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void setCurrentIndex(int index);
    int getSliderOffset() const;
    void setSliderOffset(int offset);

    void OpenSlider(Qt::WindowFlags flags);
    void OnHideCheck();

    QList<QToolButton*> m_buttons;
    QSlider* m_slider;
    QMainWindow* m_mainWindow = nullptr;
    bool m_checked = false;
    QTimer* m_hideTimer;
    int m_sliderOffset = 0;
};

} // namespace Tarvos::Gui
