#include "Gui/Reelkit/AccessibleFactory.h"

#include "Gui/Reelkit/AccessibleMuteButton.h"
#include "Gui/Reelkit/AccessiblePlaylist.h"
#include "Gui/Reelkit/AccessiblePlaylistView.h"
#include "Gui/Reelkit/AccessibleSlider.h"
#include "Gui/Reelkit/AccessibleSliderThumb.h"
#include "Gui/Reelkit/AccessibleTimeEdit.h"
#include "Gui/Reelkit/AccessibleVolume.h"
#include "Gui/Reelkit/AdvancedSlider.h"
#include "Gui/Reelkit/DirectClickSlider.h"
#include "Gui/Reelkit/Playlist.h"
#include "Gui/Reelkit/PlaylistListView.h"
#include "Gui/Reelkit/TimeEdit.h"
#include "Gui/Reelkit/VolumeButton.h"
#include "Gui/Reelkit/VolumeControl.h"

#include <QAccessible>

namespace Tarvos::Gui {

namespace {

// The volume widget whose own slider widget is, if any.
QWidget* VolumeOwner(QWidget* widget)
{
    QWidget* parent = widget->parentWidget();
    if (qobject_cast<VolumeControl*>(parent) || qobject_cast<VolumeButton*>(parent))
        return parent;
    return nullptr;
}

} // namespace

QAccessibleInterface* AccessibleFactory::Create(const QString& className, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    if (className == QLatin1String("Tarvos::Gui::TimelineSlider")
        || className == QLatin1String("Tarvos::Gui::AdvancedSlider"))
        return new AccessibleSlider(static_cast<AdvancedSlider*>(widget));
    if (className == QLatin1String("Tarvos::Gui::AdvancedSliderThumb"))
        return new AccessibleSliderThumb(static_cast<AdvancedSliderThumb*>(widget));
    if (className == QLatin1String("Tarvos::Gui::TimeEdit"))
        return new AccessibleTimeEdit(static_cast<TimeEdit*>(widget));
    if (className == QLatin1String("Tarvos::Gui::VolumeControl")
        || className == QLatin1String("Tarvos::Gui::VolumeButton"))
        return new AccessibleVolume(widget, widget);
    if (className == QLatin1String("Tarvos::Gui::DirectClickSlider")
        || className == QLatin1String("QSlider")) {
        if (QWidget* owner = VolumeOwner(widget))
            return new AccessibleVolume(widget, owner);
        return nullptr;
    }
    if (className == QLatin1String("QPushButton")) {
        auto* control = qobject_cast<VolumeControl*>(widget->parentWidget());
        if (control && widget->objectName() == QLatin1String("mute"))
            return new AccessibleMuteButton(widget, control);
        return nullptr;
    }
    if (className == QLatin1String("Tarvos::Gui::PlaylistListView"))
        return new AccessiblePlaylistView(static_cast<PlaylistListView*>(widget));
    if (className == QLatin1String("Tarvos::Gui::Playlist"))
        return new AccessiblePlaylist(static_cast<Playlist*>(widget));
    return nullptr;
}

void AccessibleFactory::Attach(QWidget* widget)
{
    static const bool installed = (QAccessible::installFactory(&Create), true);
    Q_UNUSED(installed)
    // A base class's constructor may have asked for the widget's interface
    // already, which Qt then made for the base class and keeps: dropped, the
    // next request gets this factory's.
    QAccessible::deleteAccessibleInterface(
        QAccessible::uniqueId(QAccessible::queryAccessibleInterface(widget)));
}

void AccessibleFactory::ValueChanged(QObject* object, int value)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleValueChangeEvent event(object, value);
    QAccessible::updateAccessibility(&event);
}

} // namespace Tarvos::Gui
