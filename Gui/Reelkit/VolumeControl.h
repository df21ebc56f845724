#pragma once

#include "Gui/Reelkit/ReelkitExport.h"

#include <QWidget>
#include <memory>

namespace Ui {
class VolumeControl;
}

namespace Tarvos::Gui {

// A mute button beside a volume slider. The mute state is the widget's own;
// the button shows it and the volume level through its dynamic property
// "volume" ("off", "0", "1", "2" or "3") for the host's style sheet.
//
// Shares SetVolume, Mute, VolumeChanged and Muted with VolumeButton, so that
// the panel binds either by those names.
class REELKIT_EXPORT VolumeControl : public QWidget
{
    Q_OBJECT

public:
    explicit VolumeControl(QWidget* parent = nullptr);
    ~VolumeControl() override;

    // Applies the current translation to the widget's texts.
    void retranslateUI(QWidget* widget);

public slots:
    void SetVolume(int volume);
    void Mute(bool mute);

signals:
    void VolumeChanged(int volume);
    void Muted(bool muted);

private slots:
    void OnVolumeValueChanged(int volume);
    void OnMuteClicked();

private:
    // The mute button's property that style sheets select on.
    static constexpr const char* VolumeProperty = "volume";

    void UpdateMute();

    std::unique_ptr<Ui::VolumeControl> m_ui;
    bool m_muted = false;
};

} // namespace Tarvos::Gui
