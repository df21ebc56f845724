#include "PanelTestSupport.h"

#include "Gui/Reelkit/TimeEdit.h"
#include "Gui/Reelkit/TimelineSlider.h"
#include "Gui/Reelkit/VolumeControl.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QPushButton>

void BuildFullPanel(Tarvos::Gui::StateWidget* panel)
{
    // Three rows, narrow enough for the offscreen screen's 800 pixels.
    auto* layout = new QGridLayout(panel);
    int column = 0;
    const auto add = [layout, &column](QWidget* control, const char* name, int row) {
        control->setObjectName(QString::fromLatin1(name));
        layout->addWidget(control, row, column++);
    };
    for (const char* name : { "PlayPause", "Stop", "ToEnd", "ToBegin", "NextFrame", "PrevFrame",
             "Effects", "inputViewMode", "outputViewMode" })
        add(new QPushButton(QString::fromLatin1(name).left(3), panel), name, 0);
    auto* fullscreen = new QPushButton(QStringLiteral("Ful"), panel);
    fullscreen->setCheckable(true);
    add(fullscreen, "Fullscreen", 0);

    column = 0;
    for (const char* name : { "Playlist", "Shuffle", "Repeat" })
        add(new QCheckBox(QString::fromLatin1(name), panel), name, 1);
    add(new Tarvos::Gui::TimeEdit(panel), "ProgressEdit", 1);
    add(new Tarvos::Gui::TimeEdit(panel), "TotalEdit", 1);
    add(new Tarvos::Gui::VolumeControl(panel), "volumeControl", 1);

    auto* slider = new Tarvos::Gui::TimelineSlider(panel);
    slider->setOrientation(Qt::Horizontal);
    slider->setObjectName(QStringLiteral("Progress"));
    layout->addWidget(slider, 2, 0, 1, -1);
}
