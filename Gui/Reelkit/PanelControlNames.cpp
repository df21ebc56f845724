#include "Gui/Reelkit/PanelControlNames.h"

#include "Gui/Reelkit/PlaybackControlPanelLogic.h"

#include <QVariant>
#include <QWidget>

namespace Tarvos::Gui {

struct PanelControlNames::Entry
{
    const QString& objectName;
    const char* name;
    const char* description;
};

const PanelControlNames::Entry PanelControlNames::Entries[] = {
    { PlaybackControlPanelLogic::StopName, QT_TRANSLATE_NOOP("PanelControlNames", "Stop"),
        QT_TRANSLATE_NOOP("PanelControlNames", "Stops playback") },
    { PlaybackControlPanelLogic::ToEndName, QT_TRANSLATE_NOOP("PanelControlNames", "Next file"),
        QT_TRANSLATE_NOOP("PanelControlNames", "Plays the next file of the playlist") },
    { PlaybackControlPanelLogic::ToBeginName,
        QT_TRANSLATE_NOOP("PanelControlNames", "Previous file"),
        QT_TRANSLATE_NOOP("PanelControlNames", "Plays the previous file of the playlist") },
    { PlaybackControlPanelLogic::PlaylistName, QT_TRANSLATE_NOOP("PanelControlNames", "Playlist"),
        QT_TRANSLATE_NOOP("PanelControlNames", "Shows or hides the playlist") },
    { PlaybackControlPanelLogic::ShuffleName, QT_TRANSLATE_NOOP("PanelControlNames", "Shuffle"),
        QT_TRANSLATE_NOOP("PanelControlNames", "Plays the playlist in random order") },
    { PlaybackControlPanelLogic::RepeatName, QT_TRANSLATE_NOOP("PanelControlNames", "Repeat"),
        QT_TRANSLATE_NOOP("PanelControlNames", "Starts the playlist again after its last file") },
    { PlaybackControlPanelLogic::FullscreenName,
        QT_TRANSLATE_NOOP("PanelControlNames", "Full screen"),
        QT_TRANSLATE_NOOP("PanelControlNames", "Switches between full screen and a window") },
    { PlaybackControlPanelLogic::NextFrameName,
        QT_TRANSLATE_NOOP("PanelControlNames", "Next frame"),
        QT_TRANSLATE_NOOP("PanelControlNames", "Steps one frame forward") },
    { PlaybackControlPanelLogic::PrevFrameName,
        QT_TRANSLATE_NOOP("PanelControlNames", "Previous frame"),
        QT_TRANSLATE_NOOP("PanelControlNames", "Steps one frame back") },
    { PlaybackControlPanelLogic::InputViewModeName,
        QT_TRANSLATE_NOOP("PanelControlNames", "Input view mode"),
        QT_TRANSLATE_NOOP("PanelControlNames", "Chooses how the views of the file are laid out") },
    { PlaybackControlPanelLogic::OutputViewModeName,
        QT_TRANSLATE_NOOP("PanelControlNames", "Output view mode"),
        QT_TRANSLATE_NOOP("PanelControlNames", "Chooses how the views are shown") },
    { PlaybackControlPanelLogic::EffectsName, QT_TRANSLATE_NOOP("PanelControlNames", "Effects"),
        QT_TRANSLATE_NOOP("PanelControlNames", "Opens the video effects") },
    { PlaybackControlPanelLogic::ProgressName, QT_TRANSLATE_NOOP("PanelControlNames", "Position"),
        QT_TRANSLATE_NOOP("PanelControlNames", "Seeks in the file") },
    { PlaybackControlPanelLogic::ProgressEditName,
        QT_TRANSLATE_NOOP("PanelControlNames", "Position"),
        QT_TRANSLATE_NOOP("PanelControlNames", "Type a time and press Enter to go there") },
    { PlaybackControlPanelLogic::TotalEditName, QT_TRANSLATE_NOOP("PanelControlNames", "Duration"),
        QT_TRANSLATE_NOOP("PanelControlNames", "The length of the file") },
    { PlaybackControlPanelLogic::VolumeControlName,
        QT_TRANSLATE_NOOP("PanelControlNames", "Volume"),
        QT_TRANSLATE_NOOP("PanelControlNames", "Sets the volume") },
};

void PanelControlNames::Apply(QWidget* control, const QString& objectName)
{
    QString name;
    QString description;
    if (objectName == PlaybackControlPanelLogic::PlayPauseName) {
        name = control->property("isPlay").toBool() ? tr("Play") : tr("Pause");
        description = tr("Starts or pauses playback");
    }
    for (const Entry& entry : Entries) {
        if (entry.objectName == objectName) {
            name = tr(entry.name);
            description = tr(entry.description);
        }
    }
    if (name.isEmpty())
        return;
    const QString given = control->property(GivenNameProperty).toString();
    if (control->accessibleName().isEmpty() || control->accessibleName() == given) {
        control->setAccessibleName(name);
        control->setProperty(GivenNameProperty, name);
    }
    if (control->accessibleDescription().isEmpty())
        control->setAccessibleDescription(description);
}

} // namespace Tarvos::Gui
