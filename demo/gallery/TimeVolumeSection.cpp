#include "Gui/Reelkit/TimeEdit.h"
#include "Gui/Reelkit/VolumeButton.h"
#include "Gui/Reelkit/VolumeControl.h"
#include "Sections.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

using Tarvos::Gui::TimeEdit;
using Tarvos::Gui::VolumeButton;
using Tarvos::Gui::VolumeControl;

namespace {

// What a host's style sheet does with the widgets' hooks: the mute button's
// "volume" level and the volume button's pages become visible as bars.
const char* const StyleSheet = R"(
Tarvos--Gui--TimeEdit { font-family: "DejaVu Sans Mono"; font-size: 15px; }
Tarvos--Gui--TimeEdit[styleTag="shrinkWidth"] {
    border: none; padding: 0; background: transparent; color: #555;
}
QPushButton#mute, QToolButton {
    min-height: 24px; border: 1px solid #666; border-radius: 4px;
    font-weight: bold;
}
QPushButton#mute { min-width: 60px; padding: 0 4px; }
QPushButton#mute[volume="off"] { background: #c0392b; color: white; qproperty-text: "muted"; }
QPushButton#mute[volume="0"] { background: #bdc3c7; qproperty-text: "0"; }
QPushButton#mute[volume="1"] { background: #f1c40f; qproperty-text: "▂"; }
QPushButton#mute[volume="2"] { background: #e67e22; qproperty-text: "▂▄"; }
QPushButton#mute[volume="3"] { background: #27ae60; color: white; qproperty-text: "▂▄▆"; }
QToolButton[styleTag="volumeButton0"] { background: #bdc3c7; qproperty-text: "·"; }
QToolButton[styleTag="volumeButton1"] { background: #f1c40f; qproperty-text: "▂"; }
QToolButton[styleTag="volumeButton2"] { background: #e67e22; qproperty-text: "▂▄"; }
QToolButton[styleTag="volumeButton3"] { background: #d35400; color: white; qproperty-text: "▂▄▆"; }
QToolButton[styleTag="volumeButton4"] { background: #27ae60; color: white; qproperty-text: "▂▄▆█"; }
QToolButton:checked { border: 2px solid #2980b9; }
)";

const QSize ButtonSize(60, 30);

TimeEdit* CreateTimeField(QWidget* parent, const QTime& time, const QTime& maximum)
{
    auto* field = new TimeEdit(parent);
    field->setMaximumTime(maximum);
    field->setTime(time);
    field->setDisplayFormatList({ "mm:ss", "HH:mm:ss" });
    return field;
}

QWidget* CreateTimeRow(QWidget* parent, const QTime& position, const QTime& total)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(CreateTimeField(row, position, total));
    layout->addWidget(new QLabel("/", row));
    TimeEdit* totalField = CreateTimeField(row, total, total);
    totalField->setReadOnly(true);
    totalField->setButtonSymbols(QAbstractSpinBox::NoButtons);
    totalField->setStyleTag(TimeEdit::ShrinkWidthTag);
    layout->addWidget(totalField);
    layout->addStretch();
    return row;
}

} // namespace

// Time fields of a short and a long file, and both volume widgets, kept in
// step through the signal and slot names the panel binds them by.
QWidget* CreateTimeVolumeSection(QWidget* parent)
{
    auto* section = new QWidget(parent);
    section->setStyleSheet(QString::fromUtf8(StyleSheet));
    auto* grid = new QGridLayout(section);

    grid->addWidget(new QLabel("Short file", section), 0, 0);
    grid->addWidget(CreateTimeRow(section, QTime(0, 1, 30), QTime(0, 4, 12)), 0, 1);
    grid->addWidget(new QLabel("Long file", section), 1, 0);
    grid->addWidget(CreateTimeRow(section, QTime(1, 12, 5), QTime(1, 58, 40)), 1, 1);

    auto* control = new VolumeControl(section);
    control->setFixedWidth(220);
    auto* button = new VolumeButton(section);
    button->setFixedSize(ButtonSize);
    auto* report = new QLabel(section);
    QObject::connect(control, SIGNAL(VolumeChanged(int)), button, SLOT(SetVolume(int)));
    QObject::connect(button, SIGNAL(VolumeChanged(int)), control, SLOT(SetVolume(int)));
    QObject::connect(button, &VolumeButton::VolumeChanged, report,
        [report](int volume) { report->setText(QString("volume %1").arg(volume)); });
    QObject::connect(control, &VolumeControl::Muted, report,
        [report](bool muted) { report->setText(muted ? QString("muted") : QString("sound on")); });
    button->SetVolume(40);

    auto* volumeRow = new QHBoxLayout;
    volumeRow->addWidget(control);
    volumeRow->addWidget(button);
    volumeRow->addWidget(report);
    volumeRow->addStretch();
    grid->addWidget(new QLabel("Volume", section), 2, 0);
    grid->addLayout(volumeRow, 2, 1);

    // Every level side by side, as the style sheet shows it.
    auto* levels = new QHBoxLayout;
    for (int volume : { 0, 20, 50, 90 }) {
        auto* sample = new VolumeControl(section);
        sample->setFixedWidth(150);
        sample->SetVolume(volume);
        levels->addWidget(sample);
    }
    auto* muted = new VolumeControl(section);
    muted->setFixedWidth(150);
    muted->Mute(true);
    levels->addWidget(muted);
    levels->addStretch();
    grid->addWidget(new QLabel("Mute levels", section), 3, 0);
    grid->addLayout(levels, 3, 1);

    auto* pages = new QHBoxLayout;
    for (int volume : { 0, 20, 45, 70, 100 }) {
        auto* sample = new VolumeButton(section);
        sample->setFixedSize(ButtonSize);
        sample->SetVolume(volume);
        pages->addWidget(sample);
    }
    pages->addStretch();
    grid->addWidget(new QLabel("Button pages", section), 4, 0);
    grid->addLayout(pages, 4, 1);
    return section;
}
