#include "Gui/Reelkit/PlaybackControlPanelLogic.h"
#include "Gui/Reelkit/Playlist.h"
#include "Gui/Reelkit/PlaylistController.h"
#include "Gui/Reelkit/PlaylistItemData.h"
#include "Gui/Reelkit/PlaylistListView.h"
#include "Gui/Reelkit/TimeEdit.h"
#include "Gui/Reelkit/TimelineSlider.h"
#include "PanelTestSupport.h"
#include "PlaylistControllerTestSupport.h"

#include <QMenu>
#include <QPushButton>
#include <QtTest>
#include <thread>
#include <utility>

using Tarvos::avTime;
using Tarvos::ioPath;
using Tarvos::Core::Property;
using Tarvos::Gui::PlaybackControlPanelLogic;
using Tarvos::Gui::Playlist;
using Tarvos::Gui::PlaylistController;
using Tarvos::Gui::PlaylistItemData;
using Tarvos::Gui::PlaylistListView;
using Tarvos::Gui::StateWidget;
using Tarvos::Gui::TimeEdit;
using Tarvos::Gui::TimelineSlider;

namespace {

const avTime Second = 1000000;

// The host application: it picks files when the frame asks, steps to what the
// user double-clicks and passes the rewind states on to its panel.
struct Host
{
    Host(Playlist* frame, PlaybackControlPanelLogic* panel)
        : controller(frame->GetController())
        , observer(&calls, QString())
        , m_panel(panel)
    {
        QObject::connect(frame, &Playlist::AddFileClicked, [this] {
            // What the user picked in the host's file dialog.
            for (const char* path : filesToPick)
                controller->AddFile(ioPath(path), -1, false);
        });
        observer.onDouble = [this](int row) { controller->StepTo(row); };
        observer.onRewind = [panel](int states) {
            panel->SetPlaylistRewinds(
                states & PlaylistController::RewindNext, states & PlaylistController::RewindPrev);
        };
        controller->AddEventObserver(&observer);
    }
    ~Host() { controller->RemoveEventObserver(&observer); }

    QStringList TakeCalls() { return std::exchange(calls, {}); }

    // Opens the active entry in the "player".
    void PlayActive()
    {
        PlaylistItemData item;
        QVERIFY(controller->GetFile(item));
        m_panel->SetSourceInfo(item.GetName(), item.GetFileDuration());
        m_panel->OnFile(true, true);
        m_panel->OnPlay();
    }

    const boost::intrusive_ptr<PlaylistController> controller;
    std::vector<const char*> filesToPick;
    QStringList calls;
    RecordingObserver observer;

private:
    PlaybackControlPanelLogic* m_panel;
};

PlaylistItemData Entry(const Playlist& frame, int row)
{
    const auto* view = frame.findChild<PlaylistListView*>(QStringLiteral("ListView"));
    return view->model()->index(row, 0).data().value<PlaylistItemData>();
}

} // namespace

class tst_PlaylistRoad : public QObject
{
    Q_OBJECT

private slots:
    void fromAddingToRestoring();
};

void tst_PlaylistRoad::fromAddingToRestoring()
{
    StateWidget panelWidget;
    BuildFullPanel(&panelWidget);
    PlaybackControlPanelLogic panel;
    panel.SetWidget(&panelWidget);
    RecordingListener listener;
    panel.SetListener(&listener);
    auto* slider = panelWidget.findChild<TimelineSlider*>(QStringLiteral("Progress"));
    auto* positionEdit = panelWidget.findChild<TimeEdit*>(QStringLiteral("ProgressEdit"));
    auto* totalEdit = panelWidget.findChild<TimeEdit*>(QStringLiteral("TotalEdit"));
    const auto control = [&panelWidget](const char* name) {
        return panelWidget.findChild<QWidget*>(QLatin1String(name));
    };

    Playlist frame;
    frame.resize(369, 300);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    auto* view = frame.findChild<PlaylistListView*>(QStringLiteral("ListView"));
    Host host(&frame, &panel);
    QCOMPARE(host.TakeCalls(), QStringList { "rewind 0" });

    // 1, 2: the "File" button; the host adds what the user picked.
    host.filesToPick = { "/media/one.mkv", "/media/two.mkv" };
    QTest::mouseClick(frame.findChild<QPushButton*>(QStringLiteral("AddFile")), Qt::LeftButton);
    QCOMPARE(host.TakeCalls(),
        QStringList({ "changed", "changed", "rewind 0", "changed", "changed", "rewind 0" }));
    QCOMPARE(view->model()->rowCount(), 2);
    QCOMPARE(Entry(frame, 1).GetName(), std::string("/media/two.mkv"));

    // 3: the media information arrives.
    const PlaylistItemData::InfoPtr one
        = Info("/media/one.mkv", 330 * Second).Video(1280, 720, 25, "h264").Audio("aac");
    host.controller->SetFileInfo(one);
    host.controller->SetFileInfo(
        Info("/media/two.mkv", 90 * Second).Video(1280, 720, 25, "h264").Audio("aac").Audio("ac3"));
    QCOMPARE(host.TakeCalls(), QStringList({ "changed", "changed" }));
    QCOMPARE(Entry(frame, 0).GetFileDuration(), 330 * Second);
    QCOMPARE(Entry(frame, 0).GetInfo(), one);

    // 4: a double click on the first row; the host steps to it.
    QTest::mouseDClick(frame.windowHandle(), Qt::LeftButton, {},
        view->viewport()->mapTo(&frame, view->visualRect(view->model()->index(0, 0)).center()));
    QCOMPARE(host.TakeCalls(), QStringList({ "double 0", "changed", "active 0", "rewind 1" }));
    QVERIFY(Entry(frame, 0).GetActive());
    QVERIFY(control("ToEnd")->isEnabled());
    QVERIFY(!control("ToBegin")->isEnabled());

    // 5: the host opens the active entry.
    host.PlayActive();
    QVERIFY(slider->isEnabled());
    QCOMPARE(slider->maximum(), slider->time2position(330 * Second));
    QCOMPARE(totalEdit->time(), QTime(0, 5, 30, 1));
    QCOMPARE(control("PlayPause")->property("isPlay"), QVariant(false));
    QVERIFY(control("Stop")->isEnabled());
    QVERIFY(control("Fullscreen")->isEnabled());

    // 6: the player reports a position from its own thread.
    std::thread player([&panel] { panel.SetPosition(90 * Second + 250000); });
    player.join();
    QTRY_COMPARE(slider->value(), slider->time2position(90 * Second + 250000));
    QCOMPARE(positionEdit->time(), QTime(0, 1, 30, 250));
    QVERIFY(control("PrevFrame")->isEnabled());
    QVERIFY(listener.calls.isEmpty());

    // 8: the end of the file; the next one plays.
    QVERIFY(host.controller->StepTo(PlaylistController::StepNextByStrategy));
    QCOMPARE(host.TakeCalls(), QStringList({ "changed", "changed", "active 1", "rewind 2" }));
    QVERIFY(!Entry(frame, 0).GetActive());
    QVERIFY(Entry(frame, 1).GetActive());
    QVERIFY(!control("ToEnd")->isEnabled());
    QVERIFY(control("ToBegin")->isEnabled());
    host.PlayActive();
    QCOMPARE(totalEdit->time(), QTime(0, 1, 30, 1));
    // Past the last file without repeat nothing changes.
    QVERIFY(!host.controller->StepTo(PlaylistController::StepNextByStrategy));
    QVERIFY(host.TakeCalls().isEmpty());

    // The user picks the second audio track of the playing file in the menu.
    auto* menu = new QMenu;
    menu->addAction(QStringLiteral("Information"))
        ->setObjectName(QStringLiteral("action_FileInformation"));
    menu->addMenu(QStringLiteral("Video"))->setObjectName(QStringLiteral("VideoTrack"));
    QMenu* audio = menu->addMenu(QStringLiteral("Audio"));
    audio->setObjectName(QStringLiteral("AudioTrack"));
    frame.SetContextMenu(menu);
    QTimer::singleShot(0, menu, [menu, audio] {
        QTest::mouseClick(
            menu, Qt::LeftButton, {}, menu->actionGeometry(audio->menuAction()).center());
        QTRY_VERIFY(audio->isVisible());
        QTest::mouseClick(
            audio, Qt::LeftButton, {}, audio->actionGeometry(audio->actions().at(1)).center());
    });
    QTest::mouseClick(frame.windowHandle(), Qt::RightButton, {},
        view->viewport()->mapTo(&frame, view->visualRect(view->model()->index(1, 0)).center()));
    QCOMPARE(host.TakeCalls(), QStringList({ "changed", "audio 2" }));

    // 9: saved at exit, restored into a new playlist at the next start.
    Property tree = host.controller->Serialize();
    QCOMPARE(tree.GetName(), std::string("playlist"));
    QCOMPARE(tree.Count(), 2u);
    QCOMPARE(tree[1]["filename"].GetString(), std::string("/media/two.mkv"));
    QCOMPARE(tree[1]["audiostream"].GetInt64(), 2);
    QVERIFY(tree[1].ChildExists("active"));
    QVERIFY(!tree[0].ChildExists("active"));

    Playlist restored;
    Host nextHost(&restored, &panel);
    nextHost.TakeCalls();
    QCOMPARE(nextHost.controller->Deserialize(tree), 2);
    QVERIFY(nextHost.TakeCalls().contains("active 1"));
    PlaylistItemData playing;
    QVERIFY(nextHost.controller->GetFile(playing));
    QCOMPARE(playing.GetName(), std::string("/media/two.mkv"));
    QCOMPARE(playing.GetSelectedAudioStream(), 2);
    QCOMPARE(playing.GetSelectedVideoStream(), -1);
    // The information is the host's to deliver again.
    QVERIFY(!playing.IsInfoExtracted());
    QCOMPARE(Entry(restored, 0).GetName(), std::string("/media/one.mkv"));
    QVERIFY(!Entry(restored, 0).GetActive());
}

QTEST_MAIN(tst_PlaylistRoad)
#include "tst_playlistroad.moc"
