#pragma once

#include "Gui/Reelkit/ReelkitExport.h"

#include <QList>
#include <QStackedWidget>

class QMainWindow;
class QSlider;
class QTimer;
class QToolButton;

namespace Tarvos::Gui {

/// A single button showing the volume level (one page per level, styled
/// through the buttons' "styleTag" properties "volumeButton0" to
/// "volumeButton4"; the widget's own is "volumeButtonMain"); checking it opens
/// a vertical slider (0 to 100) just above it, which closes when it loses the
/// focus or the mouse has left it.
///
/// Shares SetVolume, Mute, VolumeChanged and Muted with VolumeControl, so that
/// the panel binds either by those names. Muting sets the volume to 0.
///
/// Without a mouse: the widget takes the focus by Tab; Space, Return or Enter
/// open the pop-up with the focus in it, where the arrow keys move the slider,
/// and Escape, Return or Enter close it and give the focus back. A pop-up
/// opened from the keyboard stays open while it has the focus.
class REELKIT_EXPORT VolumeButton : public QStackedWidget
{
    Q_OBJECT
    /// Kept for style sheets that set it (qproperty-SliderOffset); the
    /// pop-up's place does not depend on it.
    Q_PROPERTY(int SliderOffset READ getSliderOffset WRITE setSliderOffset)

public:
    /// Volume levels, one page and button each: page 0 is silence, pages 1
    /// to 4 the quarters of 1 to 100.
    static const int PageCount = 5;
    /// Height of the pop-up slider, in pixels.
    static const int SliderHeight = 120;
    /// How often (milliseconds) the open pop-up checks whether the mouse is
    /// still over it.
    static const int HideCheckInterval = 2000;

    /// A button at volume 0, its pop-up closed.
    explicit VolumeButton(QWidget* parent = nullptr);

    /// Without a main window (not owned), showSlider() does nothing.
    void setMainWindow(QMainWindow* window);

public slots:
    /// Clamps volume to 0..100, moves the slider (without a loop back), shows
    /// the level's page and emits VolumeChanged(), even when it is unchanged.
    /// Also called by the slider's moves.
    void SetVolume(int volume);
    /// true sets the volume to 0 through SetVolume(); false does nothing.
    void Mute(bool mute);
    /// The current volume, 0 to 100.
    double volume() const;
    /// Opens the pop-up slider, or closes it if open; nothing without a main window.
    void showSlider();
    /// Connected to the buttons' toggled(): checking opens the pop-up (staying
    /// on top) and starts the hide checks; unchecking closes it.
    void onToogle(bool val);

signals:
    /// The volume, 0 to 100, after every SetVolume() and slider move.
    void VolumeChanged(int volume);
    /// Part of the contract shared with VolumeControl; never emitted, as
    /// muting here is a volume of 0.
    void Muted(bool muted);

protected:
    /// Space, Return and Enter open the pop-up; other keys go to the stack.
    void keyPressEvent(QKeyEvent* event) override;

private:
    static bool IsOpenKey(int key);

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
