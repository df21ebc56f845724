#include "GalleryStyle.h"
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
    section->setStyleSheet(QString::fromUtf8(Gallery::VolumeStyle));
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
