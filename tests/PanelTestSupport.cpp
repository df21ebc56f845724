#include "PanelTestSupport.h"

#include "Gui/Reelkit/TimeEdit.h"
#include "Gui/Reelkit/TimelineSlider.h"
#include "Gui/Reelkit/VolumeControl.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>

void BuildFullPanel(Tarvos::Gui::StateWidget* panel)
{
    auto* layout = new QHBoxLayout(panel);
    const auto add = [layout](QWidget* control, const char* name) {
        control->setObjectName(QString::fromLatin1(name));
        layout->addWidget(control);
    };
    for (const char* name : { "PlayPause", "Stop", "ToEnd", "ToBegin", "NextFrame", "PrevFrame",
                              "Effects", "inputViewMode", "outputViewMode" })
        add(new QPushButton(QString::fromLatin1(name), panel), name);
    auto* fullscreen = new QPushButton(QStringLiteral("Fullscreen"), panel);
    fullscreen->setCheckable(true);
    add(fullscreen, "Fullscreen");
    for (const char* name : { "Playlist", "Shuffle", "Repeat" })
        add(new QCheckBox(QString::fromLatin1(name), panel), name);
    add(new Tarvos::Gui::TimelineSlider(panel), "Progress");
    add(new Tarvos::Gui::TimeEdit(panel), "ProgressEdit");
    add(new Tarvos::Gui::TimeEdit(panel), "TotalEdit");
    add(new Tarvos::Gui::VolumeControl(panel), "volumeControl");
}
