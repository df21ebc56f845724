#include "ControlPanel.h"
#include "Gui/Reelkit/PlaybackControlPanelLogic.h"
#include "Gui/Reelkit/PlaybackControlPanelSwitcher.h"
#include "Gui/Reelkit/TimeEdit.h"
#include "Gui/Reelkit/TimelineSlider.h"
#include "Gui/Reelkit/VolumeButton.h"
#include "Gui/Reelkit/VolumeControl.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QTest>

using Player::ControlPanel;
using Tarvos::Gui::PlaybackControlPanelLogic;

Q_DECLARE_METATYPE(ControlPanel::Layout)

class tst_PlayerPanel : public QObject
{
    Q_OBJECT

private slots:
    void formHoldsEveryNamedControl_data();
    void formHoldsEveryNamedControl();
    void viewModesMoveToTheOtherPanel();
    void switcherDrivesTheBoundForm();
};

void tst_PlayerPanel::formHoldsEveryNamedControl_data()
{
    QTest::addColumn<ControlPanel::Layout>("layout");
    QTest::newRow("windowed") << ControlPanel::Layout::Windowed;
    QTest::newRow("full screen") << ControlPanel::Layout::Fullscreen;
}

void tst_PlayerPanel::formHoldsEveryNamedControl()
{
    QFETCH(ControlPanel::Layout, layout);
    ControlPanel panel(layout);
    const QStringList buttons = { "PlayPause", "Stop", "ToEnd", "ToBegin", "NextFrame", "PrevFrame",
        "inputViewMode", "outputViewMode", "Effects", "Fullscreen" };
    for (const QString& name : buttons)
        QVERIFY2(panel.findChild<QAbstractButton*>(name), qPrintable(name));
    // Switches report through stateChanged(int): they must be check boxes.
    for (const char* name : { "Playlist", "Shuffle", "Repeat" })
        QVERIFY2(panel.findChild<QCheckBox*>(QString::fromLatin1(name)), name);
    QVERIFY(panel.findChild<QAbstractButton*>(QStringLiteral("Fullscreen"))->isCheckable());
    QVERIFY(panel.findChild<Tarvos::Gui::TimelineSlider*>(QStringLiteral("Progress")));
    QVERIFY(panel.findChild<Tarvos::Gui::TimeEdit*>(QStringLiteral("ProgressEdit")));
    QVERIFY(panel.findChild<Tarvos::Gui::TimeEdit*>(QStringLiteral("TotalEdit")));
    QWidget* volume = panel.findChild<QWidget*>(QStringLiteral("volumeControl"));
    QVERIFY(layout == ControlPanel::Layout::Windowed
            ? qobject_cast<Tarvos::Gui::VolumeControl*>(volume) != nullptr
            : qobject_cast<Tarvos::Gui::VolumeButton*>(volume) != nullptr);
}

void tst_PlayerPanel::viewModesMoveToTheOtherPanel()
{
    ControlPanel windowed(ControlPanel::Layout::Windowed);
    ControlPanel fullscreen(ControlPanel::Layout::Fullscreen);
    windowed.findChild<QAbstractButton*>(QStringLiteral("outputViewMode"))->setChecked(true);
    const QMap<QString, QVariant> state = windowed.GetState();

    fullscreen.findChild<QAbstractButton*>(QStringLiteral("inputViewMode"))->setChecked(true);
    fullscreen.SetState(state);
    QVERIFY(!fullscreen.findChild<QAbstractButton*>(QStringLiteral("inputViewMode"))->isChecked());
    QVERIFY(fullscreen.findChild<QAbstractButton*>(QStringLiteral("outputViewMode"))->isChecked());
    // Keys the panel does not know are ignored.
    fullscreen.SetState({ { QStringLiteral("noSuchControl"), true } });
}

void tst_PlayerPanel::switcherDrivesTheBoundForm()
{
    ControlPanel windowed(ControlPanel::Layout::Windowed);
    ControlPanel fullscreen(ControlPanel::Layout::Fullscreen);
    Tarvos::Gui::PlaybackControlPanelSwitcher switcher(nullptr, &windowed, &fullscreen);
    switcher.SetSourceInfo("/films/clip.mkv", 90 * 1000000LL);
    switcher.OnFile(true, true);
    switcher.SetPosition(30 * 1000000LL);
    auto* total = windowed.findChild<Tarvos::Gui::TimeEdit*>(QStringLiteral("TotalEdit"));
    QCOMPARE(total->time(), QTime(0, 1, 30, 1));
    auto* position = windowed.findChild<Tarvos::Gui::TimeEdit*>(QStringLiteral("ProgressEdit"));
    QCOMPARE(position->time(), QTime(0, 0, 30));
    QVERIFY(windowed.findChild<QAbstractButton*>(QStringLiteral("PrevFrame"))->isEnabled());
    // The full-screen form is not bound until the player goes full screen.
    QCOMPARE(fullscreen.findChild<Tarvos::Gui::TimeEdit*>(QStringLiteral("TotalEdit"))->time(),
        QTime(0, 0));
}

QTEST_MAIN(tst_PlayerPanel)
#include "tst_playerpanel.moc"
