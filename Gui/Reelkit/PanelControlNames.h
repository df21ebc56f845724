#pragma once

#include <QCoreApplication>
#include <QString>

class QWidget;

namespace Tarvos::Gui {

// The accessible names and descriptions of a bound panel's controls, by the
// object names PlaybackControlPanelLogic knows them by. A control the host
// named itself keeps its name; one that only this class named is named again,
// so that "PlayPause" reads as "Play" or "Pause" as its "isPlay" property says.
class PanelControlNames
{
    Q_DECLARE_TR_FUNCTIONS(PanelControlNames)

public:
    // Names and describes control, found under objectName; controls of other
    // names are left alone.
    static void Apply(QWidget* control, const QString& objectName);

private:
    struct Entry;
    static const Entry Entries[];
    // The dynamic property that holds the name this class gave.
    static constexpr const char* GivenNameProperty = "reelkitAccessibleName";
};

} // namespace Tarvos::Gui
