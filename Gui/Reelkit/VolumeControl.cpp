#include "Gui/Reelkit/VolumeControl.h"

#include "Gui/Reelkit/AccessibleFactory.h"
#include "Gui/Reelkit/Repolish.h"
#include "ui_VolumeControl.h"

#include <QStyle>
#include <QVariant>

namespace Tarvos::Gui {

namespace {

QString VolumeLevel(bool muted, int volume)
{
    if (muted)
        return QStringLiteral("off");
    if (volume == 0)
        return QStringLiteral("0");
    if (volume <= 33)
        return QStringLiteral("1");
    if (volume <= 66)
        return QStringLiteral("2");
    return QStringLiteral("3");
}

} // namespace

VolumeControl::VolumeControl(QWidget* parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::VolumeControl>())
{
    AccessibleFactory::Attach(this);
    m_ui->setupUi(this);
    m_ui->volume->setRange(0, 100);
    connect(m_ui->volume, &QSlider::valueChanged, this, &VolumeControl::OnVolumeValueChanged);
    connect(m_ui->mute, &QPushButton::clicked, this, &VolumeControl::OnMuteClicked);
    UpdateMute();
}

VolumeControl::~VolumeControl() = default;

void VolumeControl::retranslateUI(QWidget*)
{
    m_ui->retranslateUi(this);
    // The form's translated "off" would hide the real level.
    UpdateMute();
}

int VolumeControl::volume() const
{
    return m_ui->volume->value();
}

void VolumeControl::SetVolume(int volume)
{
    m_ui->volume->setValue(volume);
    UpdateMute();
}

void VolumeControl::Mute(bool mute)
{
    m_muted = mute;
    UpdateMute();
    emit Muted(m_muted);
}

void VolumeControl::OnVolumeValueChanged(int volume)
{
    // Any change of the volume ends muting.
    if (m_muted) {
        m_muted = false;
        UpdateMute();
        emit Muted(false);
    }
    UpdateMute();
    emit VolumeChanged(volume);
}

void VolumeControl::OnMuteClicked()
{
    m_muted = !m_muted;
    UpdateMute();
    emit Muted(m_muted);
}

void VolumeControl::UpdateMute()
{
    QPushButton* button = m_ui->mute;
    button->setProperty(VolumeProperty, VolumeLevel(m_muted, m_ui->volume->value()));
    Repolish(button);
    // Muting changes what the control reads as ("40%, muted"), not only its look.
    AccessibleFactory::ValueChanged(this, m_ui->volume->value());
}

} // namespace Tarvos::Gui
