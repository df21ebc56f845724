#define QTEST_QPA_MOUSE_HANDLING
#include "Gui/Reelkit/AdvancedSlider.h"
#include "Gui/Reelkit/IPlaylistEventObserver.h"
#include "Gui/Reelkit/PlaybackControlPanelLogic.h"
#include "Gui/Reelkit/Playlist.h"
#include "Gui/Reelkit/PlaylistController.h"
#include "Gui/Reelkit/PlaylistListView.h"
#include "Gui/Reelkit/PlaylistModel.h"
#include "Gui/Reelkit/TimelineSlider.h"
#include "PanelTestSupport.h"
#include "host/DataOutputString.h"
#include "host/MediaSourceInfo.h"
#include "host/PropertySerializer.h"

#include <QMimeData>
#include <QtTest>

using namespace Tarvos;
using Gui::PlaylistController;

namespace {

// A host that inserts what is dropped, as the road of a file asks of it.
class DropHost : public Gui::IPlaylistEventObserver
{
public:
    explicit DropHost(PlaylistController* controller)
        : m_controller(controller)
    {}
    void OnPlaylistKeyPress(int) override {}
    void OnPlaylistItemDoubleClicked(int) override {}
    void OnPlaylistActiveItemChanged(int) override {}
    void OnPlaylistRewindStatesChanged(int) override {}
    void OnPlaylistFileDropped(const std::string& path, int row) override
    {
        dropped.push_back(path);
        if (!path.empty())
            m_controller->AddFile(ioPath(path), row, false);
    }
    void OnPlaylistChanged() override {}
    void OnPlaylistAudioTrackSelected(unsigned int) override {}
    void OnPlaylistVideoTrackSelected(unsigned int) override {}

    std::vector<std::string> dropped;

private:
    PlaylistController* m_controller;
};

bool Drop(QWidget* viewport, QMimeData* mime)
{
    const QPoint position(10, 10);
    QDragEnterEvent enter(position, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &enter);
    QDropEvent drop(position, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &drop);
    return drop.isAccepted();
}

} // namespace

// What a careless or hostile host, another application or a corrupt file can
// do to the library: none of it may take the host down.
class tst_Hostile : public QObject
{
    Q_OBJECT

private slots:
    void controllerOutlivesItsFrame();
    void nonLocalUrlsReachTheHostEmpty();
    void payloadOfSeveralMegabytes_data();
    void payloadOfSeveralMegabytes();
    void savedTreeWithAMillionChildren();
    void thumbRemovedWhileDragged();
    void panelDeletedWhileBound();
};

void tst_Hostile::controllerOutlivesItsFrame()
{
    boost::intrusive_ptr<PlaylistController> controller;
    {
        Gui::Playlist frame;
        controller = frame.GetController();
        controller->AddFile(ioPath("/films/a.mkv"), -1, true);
        controller->AddFile(ioPath("/films/b.mkv"), -1, false);
    }
    // The view is gone; what needs it does nothing, the rest still works.
    QVERIFY(controller->StepTo(PlaylistController::StepNextByOrder));
    controller->AddFile(ioPath("/films/c.mkv"), -1, false);
    controller->SetFileInfo(Sarnet::MediaSourceInfo::Create(ioPath("/films/c.mkv"), 5, "x"));
    controller->DeleteSelectedFiles();
    QCOMPARE(controller->Serialize().Count(), 3u);
    controller->Clear();
    QCOMPARE(controller->GetItemCount(), 0);
}

void tst_Hostile::nonLocalUrlsReachTheHostEmpty()
{
    Gui::Playlist frame;
    DropHost host(frame.GetController().get());
    frame.GetController()->AddEventObserver(&host);
    auto* view = frame.findChild<Gui::PlaylistListView*>();
    QMimeData mime;
    mime.setUrls({ QUrl::fromLocalFile("/films/a.mkv"), QUrl("https://example.invalid/b.mkv"),
        QUrl("ftp://host/c.mkv") });
    QVERIFY(Drop(view->viewport(), &mime));
    QCOMPARE(host.dropped, (std::vector<std::string> { "", "", "/films/a.mkv" }));
    QCOMPARE(frame.GetController()->GetItemCount(), 1);
}

void tst_Hostile::payloadOfSeveralMegabytes_data()
{
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("padding");
    QTest::addColumn<int>("inserted");
    QTest::newRow("4 MB") << 80000 << 0 << 80000;
    QTest::newRow("over the limit") << 34000 << 480 << 0;
}

void tst_Hostile::payloadOfSeveralMegabytes()
{
    QFETCH(int, entries);
    QFETCH(int, padding);
    QFETCH(int, inserted);
    Core::Property tree("drugs");
    tree.SetArrayType();
    const std::string folder = "/films/" + std::string(size_t(padding), 'x') + "/clip number ";
    for (int i = 0; i < entries; ++i)
        tree.Add(Core::Property()) = folder + std::to_string(i) + ".mkv";
    std::string text;
    Core::PropertySerializer::Serialize(tree, io::DataOutputString::Create(&text), true);
    QVERIFY(text.size() > 3000000);

    Gui::Playlist frame;
    DropHost host(frame.GetController().get());
    frame.GetController()->AddEventObserver(&host);
    QMimeData mime;
    mime.setData(Gui::PlaylistModel::MimeType, QByteArray::fromStdString(text));
    Drop(frame.findChild<Gui::PlaylistListView*>()->viewport(), &mime);
    QCOMPARE(frame.GetController()->GetItemCount(), inserted);
    if (inserted > 0) {
        // The dragged order is kept.
        const Core::Property saved = frame.GetController()->Serialize();
        QCOMPARE(saved[0u]["filename"].GetString(), folder + "0.mkv");
        QCOMPARE(saved[unsigned(inserted - 1)]["filename"].GetString(),
            folder + std::to_string(inserted - 1) + ".mkv");
    }
}

void tst_Hostile::savedTreeWithAMillionChildren()
{
    Core::Property tree("playlist");
    tree.SetArrayType();
    tree.Reserve(1000000);
    for (int i = 0; i < 1000000; ++i) {
        Core::Property& child = tree.Add(Core::Property());
        if (i % 1000 == 0)
            child.SetChild("filename", "/films/" + std::to_string(i) + ".mkv");
        else
            child.SetChild("audiostream", i);
    }
    Gui::Playlist frame;
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(frame.GetController()->Deserialize(tree), 1000);
    QVERIFY2(clock.elapsed() < 60000, "a corrupt list must not stall the host");
}

void tst_Hostile::thumbRemovedWhileDragged()
{
    Gui::TimelineSlider slider;
    slider.setOrientation(Qt::Horizontal);
    slider.resize(300, 30);
    slider.setRange(0, 60000000);
    slider.show();
    QVERIFY(QTest::qWaitForWindowExposed(&slider));
    Gui::AdvancedSliderThumb* marker = slider.addThumb(QStringLiteral("marker"));
    marker->setValue(slider.maximum() / 2);
    slider.updateThumbLayout();
    const QPoint grip = marker->geometry().center();
    QTest::mousePress(marker, Qt::LeftButton, {}, marker->rect().center());
    QTest::mouseMove(&slider, grip + QPoint(20, 0));
    slider.removeThumb(QStringLiteral("marker"));
    QTest::mouseMove(&slider, grip + QPoint(40, 0));
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, grip + QPoint(40, 0));
    QVERIFY(!slider.thumbByStyleTag(QStringLiteral("marker")));
    // The slider still works.
    slider.setValue(Tarvos::avTime(30000000));
    QCOMPARE(slider.value(), 3000000);
}

void tst_Hostile::panelDeletedWhileBound()
{
    RecordingListener listener;
    Gui::PlaybackControlPanelLogic logic;
    logic.SetListener(&listener);
    auto* panel = new RecordingStateWidget;
    BuildFullPanel(panel);
    logic.SetWidget(panel);
    delete panel; // a host error: the panel should have been unbound first

    logic.SetSourceInfo("/films/a.mkv", 60000000);
    logic.OnFile();
    logic.OnPlay();
    logic.SetPosition(30000000);
    logic.MuteAudio(true);
    logic.OnFullscreenSwitched();

    RecordingStateWidget next;
    BuildFullPanel(&next);
    logic.SetWidget(&next);
    QCOMPARE(next.receivedStates.size(), 1);
    QVERIFY(next.receivedStates.first().isEmpty());
    QCOMPARE(next.findChild<Gui::TimelineSlider*>("Progress")->value(), 3000000);
}

QTEST_MAIN(tst_Hostile)
#include "tst_hostile.moc"
