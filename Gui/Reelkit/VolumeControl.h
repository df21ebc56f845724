#pragma once

#include "Gui/Reelkit/ReelkitExport.h"

#include <QWidget>
#include <memory>

namespace Ui {
class VolumeControl;
}

namespace Tarvos::Gui {

/// A mute button beside a volume slider (0 to 100). The mute state is the
/// widget's own; the button shows it and the volume level through its dynamic
/// property "volume" ("off" when muted, else "0" for silence, "1" up to 33,
/// "2" up to 66, "3" above) for the host's style sheet.
///
/// Shares SetVolume, Mute, VolumeChanged and Muted with VolumeButton, so that
/// the panel binds either by those names.
class REELKIT_EXPORT VolumeControl : public QWidget
{
    Q_OBJECT

public:
    /// An unmuted control at the form's volume, 50.
    explicit VolumeControl(QWidget* parent = nullptr);
    /// Deletes the form.
    ~VolumeControl() override;

    /// Applies the current translation to the widget's texts; widget is not
    /// used.
    void retranslateUI(QWidget* widget);

    /// The slider's volume, 0 to 100.
    int volume() const;
    /// Whether the control is muted.
    bool isMuted() const { return m_muted; }

public slots:
    /// Moves the slider; a change emits VolumeChanged() and ends muting
    /// (emitting Muted(false) first).
    void SetVolume(int volume);
    /// Sets the mute state and emits Muted(), even when it is unchanged.
    void Mute(bool mute);

signals:
    /// The slider's new volume, 0 to 100, whether the user or SetVolume() moved it.
    void VolumeChanged(int volume);
    /// The mute state changed: through the mute button, Mute(), or a volume
    /// change that ended muting.
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
