#include "Gui/Reelkit/AdvancedSlider.h"
#include "Gui/Reelkit/PlaybackControlPanelSwitcher.h"
#include "Gui/Reelkit/Playlist.h"
#include "Gui/Reelkit/PlaylistListView.h"
#include "Gui/Reelkit/PlaylistModel.h"
#include "Gui/Reelkit/TimeEdit.h"
#include "Gui/Reelkit/TimelineSlider.h"
#include "Gui/Reelkit/VolumeButton.h"
#include "Gui/Reelkit/VolumeControl.h"
#include "PanelTestSupport.h"
#include "PlaylistModelTester.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QtTest>
#include <functional>
#include <memory>

using namespace Tarvos::Gui;

namespace {

QAccessibleValueInterface* Value(QObject* object)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->valueInterface() : nullptr;
}

QString Text(QObject* object, QAccessible::Text type)
{
    return QAccessible::queryAccessibleInterface(object)->text(type);
}

} // namespace

class tst_Accessibility : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void readsAndSetsValues();
    void sliderThumbsAreNamedChildren();
    void playlistRows();
    void busyPlaylist();
    void panelControlsNamedUnlessHostNamedThem();
    void reducedMotionMovesAtOnce();
    void volumePopUpWithoutMouse();
    void muteButtonToggles();
};

void tst_Accessibility::initTestCase()
{
    // Offscreen there is no platform bridge, so events stay unsent; the
    // interfaces answer all the same.
    QAccessible::setActive(true);
}

void tst_Accessibility::readsAndSetsValues()
{
    struct Row
    {
        const char* tag;
        std::function<QWidget*(QWidget*)> make;
        QString name;
        QString value;
        QString description;
        int written; // set through the value interface, then read back
    };
    const Row rows[] = {
        { "timeline",
            [](QWidget* parent) {
                auto* slider = new TimelineSlider(parent);
                slider->setRange(0, 5400000000LL);
                slider->setValue(724000000LL);
                slider->setRanges({ { 0, 6000000, false }, { 6000000, 9000000, true } });
                return slider;
            },
            QString(), "12:04 of 1:30:00", "Marked: 0:00 to 1:00; 1:00 to 1:30, selected",
            540000000 },
        { "time edit",
            [](QWidget* parent) {
                auto* edit = new TimeEdit(parent);
                edit->setDisplayFormat(QStringLiteral("hh:mm:ss.zzz"));
                edit->setTime(QTime(1, 2, 3));
                return edit;
            },
            QString(), "1:02:03", QString(), 125000 },
        { "volume control",
            [](QWidget* parent) {
                auto* volume = new VolumeControl(parent);
                volume->SetVolume(40);
                volume->Mute(true);
                return volume;
            },
            "Volume", "40%, muted", QString(), 70 },
        { "volume button",
            [](QWidget* parent) {
                auto* volume = new VolumeButton(parent);
                volume->SetVolume(40);
                return volume;
            },
            "Volume", "40%", QString(), 100 },
        { "volume control's slider",
            [](QWidget* parent) {
                auto* volume = new VolumeControl(parent);
                volume->SetVolume(7);
                return volume->findChild<QSlider*>(QStringLiteral("volume"));
            },
            "Volume", "7%", QString(), 8 },
    };
    for (const Row& row : rows) {
        QWidget parent;
        QWidget* widget = row.make(&parent);
        QAccessibleValueInterface* value = Value(widget);
        QVERIFY2(value, row.tag);
        QCOMPARE(Text(widget, QAccessible::Name), row.name);
        QCOMPARE(Text(widget, QAccessible::Value), row.value);
        QCOMPARE(Text(widget, QAccessible::Description), row.description);
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
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&slider);
    QStringList names;
    for (int i = 0; i < iface->childCount(); ++i)
        names << iface->child(i)->text(QAccessible::Name);
    QCOMPARE(names, QStringList({ "default", "marker", "Loop end" }));
    QAccessibleValueInterface* value = Value(marker);
    QCOMPARE(value->maximumValue().toInt(), 60);
    value->setCurrentValue(80);
    QCOMPARE(marker->value(), 60);
    QCOMPARE(Text(marker, QAccessible::Value), QStringLiteral("60"));
    QVERIFY(!QAccessible::queryAccessibleInterface(marker)->state().selected);
    marker->setChecked(true);
    QVERIFY(QAccessible::queryAccessibleInterface(marker)->state().selected);
}

void tst_Accessibility::playlistRows()
{
    PlaylistModel model;
    PlaylistModelTester tester(&model);
    PlaylistListView view;
    view.setModel(&model);
    struct Row
    {
        const char* path;
        Tarvos::avTime duration;
        bool active;
        bool valid;
        QString name;
    };
    const Row rows[] = {
        { "/films/a.mkv", 205000000, true, true, "a.mkv, 3:25, playing" },
        { "/films/b.mkv", 0, false, false, "b.mkv, cannot be played" },
        { "/films/c.mkv", 3600000000LL, false, true, "c.mkv, 1:00:00" },
    };
    for (const Row& row : rows) {
        PlaylistItemData item { Tarvos::ioPath(row.path) };
        item.SetFileDuration(row.duration);
        item.SetActive(row.active);
        item.SetValid(row.valid);
        model.InsertItem(item, -1);
    }
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&view);
    QCOMPARE(list->role(), QAccessible::List);
    QCOMPARE(list->childCount(), 3);
    QCOMPARE(list->child(3), nullptr);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(list->child(i)->text(QAccessible::Name), rows[i].name);
        QCOMPARE(list->child(i)->text(QAccessible::Description), QString(rows[i].path));
        QCOMPARE(list->indexOfChild(list->child(i)), i);
    }
    view.resize(200, view.sizeHintForRow(0) + 2 * view.frameWidth());
    view.show();
    QVERIFY(QTest::qWaitForWindowActive(&view));
    view.setCurrentIndex(model.index(0, 0));
    QCOMPARE(list->focusChild(), list->child(0));
    QVERIFY(list->child(0)->state().focused && !list->child(1)->state().focused);
    QVERIFY(!list->child(0)->state().invisible && list->child(2)->state().invisible);
    QCOMPARE(
        list->childAt(list->child(0)->rect().center().x(), list->child(0)->rect().center().y()),
        list->child(0));
    QAccessibleInterface* first = list->child(0);
    QCOMPARE(list->child(0), first);
    view.selectionModel()->select(model.index(2, 0), QItemSelectionModel::Select);
    QVERIFY(list->child(2)->state().selected);
    model.removeRows(0, 1);
    QVERIFY(!first->isValid() && first->rect().isNull());
    QCOMPARE(list->child(0)->text(QAccessible::Name), rows[1].name);
    QCOMPARE(list->child(0)->parent(), list);
}

void tst_Accessibility::busyPlaylist()
{
    Playlist playlist;
    playlist.ShowBusy(true, QStringLiteral("Reading files"));
    QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(&playlist);
    QVERIFY(frame->state().busy);
    QCOMPARE(frame->text(QAccessible::Description), QStringLiteral("Reading files"));
    playlist.ShowBusy(false, QString());
    QVERIFY(!frame->state().busy);
    QCOMPARE(frame->text(QAccessible::Description), QString());
}

void tst_Accessibility::panelControlsNamedUnlessHostNamedThem()
{
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
    QCOMPARE(panel.findChild<QWidget*>(PlaybackControlPanelLogic::ToEndName)->accessibleName(),
        QStringLiteral("Next file"));
}

void tst_Accessibility::reducedMotionMovesAtOnce()
{
    StateWidget windowed;
    StateWidget fullscreen;
    fullscreen.resize(200, 60);
    PlaybackControlPanelSwitcher switcher(nullptr, &windowed, &fullscreen);
    switcher.SetShowHideDuration(10000);
    switcher.SetReduceMotion(true);
    switcher.GoFullscreen(0);
    const QRect shown = fullscreen.geometry();
    switcher.Hide();
    QCOMPARE(fullscreen.geometry(), shown.translated(0, shown.height()));
}

void tst_Accessibility::volumePopUpWithoutMouse()
{
    QWidget window;
    auto* volume = new VolumeButton(&window);
    auto* slider = volume->findChild<QSlider*>(QStringLiteral("m_slider"));
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_Tab);
    QVERIFY(volume->hasFocus());
    for (const Qt::Key closing : { Qt::Key_Escape, Qt::Key_Return }) {
        QTest::keyClick(volume, Qt::Key_Space);
        QVERIFY(slider->isVisible());
        QTRY_VERIFY(slider->hasFocus());
        QTest::keyClick(slider, Qt::Key_Up);
        QTest::keyClick(slider, closing);
        QVERIFY(!slider->isVisible());
        QTRY_VERIFY(volume->hasFocus());
    }
    QCOMPARE(volume->volume(), 2.0);
}

void tst_Accessibility::muteButtonToggles()
{
    VolumeControl volume;
    QAccessibleInterface* mute
        = QAccessible::queryAccessibleInterface(volume.findChild<QWidget*>(QStringLiteral("mute")));
    QCOMPARE(mute->text(QAccessible::Name), QStringLiteral("Mute"));
    QVERIFY(mute->state().checkable && !mute->state().checked);
    mute->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QVERIFY(volume.isMuted() && mute->state().checked);
}

QTEST_MAIN(tst_Accessibility)
#include "tst_accessibility.moc"
