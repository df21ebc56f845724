#include "ReelkitWidgetCollection.h"

#include "Gui/Reelkit/AdvancedSlider.h"
#include "Gui/Reelkit/DirectClickSlider.h"
#include "Gui/Reelkit/PlaybackControlPanelLogic.h"
#include "Gui/Reelkit/TimeEdit.h"
#include "Gui/Reelkit/TimelineSlider.h"
#include "Gui/Reelkit/VolumeButton.h"
#include "Gui/Reelkit/VolumeControl.h"
#include "ReelkitWidgetPlugin.h"

namespace {

template <class Widget>
ReelkitWidgetPlugin::Factory FactoryOf(Qt::Orientation orientation = Qt::Vertical)
{
    return [orientation](QWidget* parent) -> QWidget* {
        auto* widget = new Widget(parent);
        if constexpr (std::is_base_of_v<QAbstractSlider, Widget>)
            widget->setOrientation(orientation);
        return widget;
    };
}

} // namespace

ReelkitWidgetCollection::ReelkitWidgetCollection(QObject* parent)
    : QObject(parent)
{
    using namespace Tarvos::Gui;
    m_widgets = {
        new ReelkitWidgetPlugin(QStringLiteral("Tarvos::Gui::AdvancedSlider"),
            QStringLiteral("advancedSlider"), QStringLiteral("Gui/Reelkit/AdvancedSlider.h"),
            tr("Slider with several thumbs and marked ranges"),
            FactoryOf<AdvancedSlider>(Qt::Horizontal), this),
        new ReelkitWidgetPlugin(QStringLiteral("Tarvos::Gui::TimelineSlider"),
            PlaybackControlPanelLogic::ProgressName, QStringLiteral("Gui/Reelkit/TimelineSlider.h"),
            tr("Playback position slider"), FactoryOf<TimelineSlider>(Qt::Horizontal), this),
        new ReelkitWidgetPlugin(QStringLiteral("Tarvos::Gui::DirectClickSlider"),
            QStringLiteral("directClickSlider"), QStringLiteral("Gui/Reelkit/DirectClickSlider.h"),
            tr("Slider that jumps to the clicked point"),
            FactoryOf<DirectClickSlider>(Qt::Horizontal), this),
        new ReelkitWidgetPlugin(QStringLiteral("Tarvos::Gui::TimeEdit"),
            PlaybackControlPanelLogic::ProgressEditName, QStringLiteral("Gui/Reelkit/TimeEdit.h"),
            tr("Position or total time field"), FactoryOf<TimeEdit>(), this),
        new ReelkitWidgetPlugin(QStringLiteral("Tarvos::Gui::VolumeControl"),
            PlaybackControlPanelLogic::VolumeControlName,
            QStringLiteral("Gui/Reelkit/VolumeControl.h"), tr("Mute button and volume slider"),
            FactoryOf<VolumeControl>(), this),
        new ReelkitWidgetPlugin(QStringLiteral("Tarvos::Gui::VolumeButton"),
            PlaybackControlPanelLogic::VolumeControlName,
            QStringLiteral("Gui/Reelkit/VolumeButton.h"), tr("Volume button with a pop-up slider"),
            FactoryOf<VolumeButton>(), this),
    };
}

QList<QDesignerCustomWidgetInterface*> ReelkitWidgetCollection::customWidgets() const
{
    return m_widgets;
}
