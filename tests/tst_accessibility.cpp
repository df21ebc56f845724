#include "Gui/Reelkit/AdvancedSlider.h"
#include "Gui/Reelkit/PlaybackControlPanelLogic.h"
#include "Gui/Reelkit/Playlist.h"
#include "Gui/Reelkit/PlaylistListView.h"
#include "Gui/Reelkit/PlaylistModel.h"
#include "Gui/Reelkit/TimeEdit.h"
#include "Gui/Reelkit/TimelineSlider.h"
#include "Gui/Reelkit/VolumeButton.h"
#include "Gui/Reelkit/VolumeControl.h"
#include "PanelTestSupport.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QtTest>

using namespace Tarvos::Gui;

namespace {

QAccessibleInterface* Iface(QObject* object)
{
    return QAccessible::queryAccessibleInterface(object);
}

QString Text(QObject* object, QAccessible::Text type)
{
    return Iface(object)->text(type);
}

} // namespace

class tst_Accessibility : public QObject
{
    Q_OBJECT

private slots:
    // Offscreen there is no platform bridge, so events stay unsent; the
    // interfaces answer all the same.
    void initTestCase() { QAccessible::setActive(true); }
    void readsAndSetsValues();
    void sliderThumbsAreNamedChildren();
    void playlistRows();
    void stateAndNames();
};

void tst_Accessibility::readsAndSetsValues()
{
    QWidget parent;
    auto* timeline = new TimelineSlider(&parent);
    timeline->setRange(0, 5400000000LL);
    timeline->setValue(724000000LL);
    timeline->setRanges({ { 0, 6000000, false }, { 6000000, 9000000, true } });
    auto* edit = new TimeEdit(&parent);
    edit->setDisplayFormat(QStringLiteral("hh:mm:ss.zzz"));
    edit->setTime(QTime(1, 2, 3));
    auto* control = new VolumeControl(&parent);
    control->SetVolume(40);
    control->Mute(true);
    auto* button = new VolumeButton(&parent);
    button->SetVolume(40);
    struct Row
    {
        QWidget* widget;
        QAccessible::Role role;
        QString name, value, description;
        int written; // set through the value interface, then read back
    };
    for (const Row& row : { Row { timeline, QAccessible::Slider, QString(), "12:04 of 1:30:00",
                                "Marked: 0:00 to 1:00; 1:00 to 1:30, selected", 540000000 },
             Row { edit, QAccessible::SpinBox, QString(), "1:02:03", QString(), 125000 },
             Row { control, QAccessible::Slider, "Volume", "40%, muted", QString(), 70 },
             Row { button, QAccessible::Slider, "Volume", "40%", QString(), 100 } }) {
        QAccessibleValueInterface* value = Iface(row.widget)->valueInterface();
        QCOMPARE(Iface(row.widget)->role(), row.role);
        QCOMPARE(Text(row.widget, QAccessible::Name), row.name);
        QCOMPARE(Text(row.widget, QAccessible::Value), row.value);
        QCOMPARE(Text(row.widget, QAccessible::Description), row.description);
        value->setCurrentValue(row.written);
        QCOMPARE(value->currentValue().toInt(), row.written);
    }
}

void tst_Accessibility::sliderThumbsAreNamedChildren()
{
    AdvancedSlider slider;
    slider.setRange(0, 100);
    AdvancedSliderThumb* marker = slider.addThumb(QStringLiteral("marker"));
    marker->setMaximum(60);
    slider.addThumb(QStringLiteral("named"))->setAccessibleName(QStringLiteral("Loop end"));
    QStringList names;
    for (int i = 0; i < Iface(&slider)->childCount(); ++i)
        names << Iface(&slider)->child(i)->text(QAccessible::Name);
    QCOMPARE(names, QStringList({ "default", "marker", "Loop end" }));
    QCOMPARE(Iface(marker)->valueInterface()->maximumValue().toInt(), 60);
    Iface(marker)->valueInterface()->setCurrentValue(80);
    QCOMPARE(Text(marker, QAccessible::Value), QStringLiteral("60"));
    slider.defaultThumb()->setChecked(true);
    marker->setChecked(true);
    QVERIFY(Iface(marker)->state().selected && !Iface(&slider)->child(0)->state().selected);
}

void tst_Accessibility::playlistRows()
{
    PlaylistModel model;
    PlaylistListView view;
    view.setModel(&model);
    const QStringList names { "a.mkv, 3:25, playing", "b.mkv, cannot be played", "c.mkv, 1:00:00" };
    for (int i = 0; i < 3; ++i) {
        PlaylistItemData item { Tarvos::ioPath(
            "/films/" + std::string(1, char('a' + i)) + ".mkv") };
        item.SetFileDuration(QList<Tarvos::avTime> { 205000000, 0, 3600000000LL }.at(i));
        item.SetActive(i == 0);
        item.SetValid(i != 1);
        model.InsertItem(item, -1);
    }
    QAccessibleInterface* list = Iface(&view);
    QCOMPARE(list->role(), QAccessible::List);
    QCOMPARE(list->childCount(), 3);
    QCOMPARE(list->child(3), nullptr);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(list->child(i)->text(QAccessible::Name), names[i]);
        QCOMPARE(list->child(i)->text(QAccessible::Description),
            QStringLiteral("/films/%1.mkv").arg(QChar('a' + i)));
        QCOMPARE(list->indexOfChild(list->child(i)), i);
    }
    view.resize(200, view.sizeHintForRow(0) + 2 * view.frameWidth());
    view.show();
    QVERIFY(QTest::qWaitForWindowActive(&view));
    view.setCurrentIndex(model.index(0, 0));
    QAccessibleInterface* first = list->child(0);
    QVERIFY(
        list->focusChild() == first && first->state().focused && !list->child(1)->state().focused);
    QVERIFY(!first->state().invisible && list->child(2)->state().invisible);
    view.clearFocus();
    QCOMPARE(list->focusChild(), nullptr);
    view.setFocus();
    QCOMPARE(list->childAt(first->rect().center().x(), first->rect().center().y()), first);
    view.selectionModel()->select(model.index(2, 0), QItemSelectionModel::Select);
    QVERIFY(list->child(2)->state().selected);
    model.removeRows(0, 1);
    QVERIFY(!first->isValid() && first->rect().isNull());
    QVERIFY(
        list->child(0)->text(QAccessible::Name) == names[1] && list->child(0)->parent() == list);
}

void tst_Accessibility::stateAndNames()
{
    Playlist playlist;
    playlist.ShowBusy(true, QStringLiteral("Reading files"));
    QVERIFY(Iface(&playlist)->state().busy);
    QCOMPARE(Text(&playlist, QAccessible::Description), QStringLiteral("Reading files"));
    playlist.ShowBusy(false, QString());
    QVERIFY(!Iface(&playlist)->state().busy && Text(&playlist, QAccessible::Description).isEmpty());

    // Panel controls are named unless the host named them.
    StateWidget panel;
    BuildFullPanel(&panel);
    auto* stop = panel.findChild<QWidget*>(PlaybackControlPanelLogic::StopName);
    stop->setAccessibleName(QStringLiteral("Halt"));
    PlaybackControlPanelLogic logic;
    logic.SetWidget(&panel);
    auto* playPause = panel.findChild<QWidget*>(PlaybackControlPanelLogic::PlayPauseName);
    QCOMPARE(playPause->accessibleName(), QStringLiteral("Play"));
    logic.OnPlay();
    QCOMPARE(playPause->accessibleName(), QStringLiteral("Pause"));
    QCOMPARE(stop->accessibleName(), QStringLiteral("Halt"));
    QCOMPARE(stop->accessibleDescription(), QStringLiteral("Stops playback"));

    VolumeControl volume;
    QAccessibleInterface* mute = Iface(volume.findChild<QWidget*>(QStringLiteral("mute")));
    QCOMPARE(mute->text(QAccessible::Name), QStringLiteral("Mute"));
    QVERIFY(mute->state().checkable && !mute->state().checked);
    mute->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QVERIFY(volume.isMuted() && mute->state().checked);
}

QTEST_MAIN(tst_Accessibility)
#include "tst_accessibility.moc"
