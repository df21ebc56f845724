#define QTEST_QPA_MOUSE_HANDLING
#include "Gui/Reelkit/PlaybackControlPanelLogic.h"
#include "Gui/Reelkit/TimelineSlider.h"
#include "PanelTestSupport.h"
#include "PlaylistControllerTestSupport.h"

#include <QMimeData>
#include <QtTest>

using namespace Tarvos;

// What a careless or hostile host, another application or a corrupt file can
// do to the library: none of it may take the host down.
class tst_Hostile : public QObject
{
    Q_OBJECT

private slots:
    void nonLocalUrlsReachTheHostEmpty()
    {
        ControllerFixture f;
        f.view->setDragDropMode(QAbstractItemView::DragDrop);
        std::vector<std::string> dropped;
        f.Observe().onDropped = [&f, &dropped](const std::string& path, int row) {
            dropped.push_back(path);
            if (!path.empty())
                f.controller->AddFile(ioPath(path), row, false);
        };
        QMimeData mime;
        mime.setUrls({ QUrl::fromLocalFile("/films/a.mkv"), QUrl("https://example.invalid/b.mkv"),
            QUrl("ftp://host/c.mkv") });
        QDragEnterEvent enter({ 10, 10 }, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(f.view->viewport(), &enter);
        QDropEvent drop({ 10, 10 }, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(f.view->viewport(), &drop);
        QVERIFY(drop.isAccepted());
        QCOMPARE(dropped, (std::vector<std::string> { "", "", "/films/a.mkv" }));
        QCOMPARE(f.Paths(), QStringList({ "/films/a.mkv" }));
    }

    void thumbRemovedWhileDragged()
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

    void panelDeletedWhileBound()
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
        QCOMPARE(next.receivedStates, decltype(next.receivedStates) { {} });
        QCOMPARE(next.findChild<Gui::TimelineSlider*>("Progress")->value(), 3000000);
    }
};

QTEST_MAIN(tst_Hostile)
#include "tst_hostile.moc"
