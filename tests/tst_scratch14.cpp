#include "Gui/Reelkit/AdvancedSlider.h"
#include "Gui/Reelkit/PlaybackControlPanelLogic.h"
#include "Gui/Reelkit/PlaylistController.h"
#include "Gui/Reelkit/PlaylistListView.h"
#include "PanelTestSupport.h"
#include "host/RefCount.h"

#include <QMenu>
#include <QtTest>
#include <boost/intrusive_ptr.hpp>

using namespace Tarvos::Gui;

// A volume control of the host's own making, bound by its slot names alone;
// it records what the logic tells it.
class VolumeProbe : public QWidget
{
    Q_OBJECT
public:
    using QWidget::QWidget;
    QStringList calls;
public slots:
    void SetVolume(int volume) { calls << QStringLiteral("SetVolume(%1)").arg(volume); }
    void Mute(bool mute) { calls << QStringLiteral("Mute(%1)").arg(mute); }
signals:
    void VolumeChanged(int volume);
    void Muted(bool muted);
};

class tst_Scratch14 : public QObject
{
    Q_OBJECT
private slots:
    void renderingSlidersGoFirst();
    void thumbRemovedOnItsDragFinished();
    void reboundVolumeControlIsCurrent();
};

void tst_Scratch14::renderingSlidersGoFirst()
{
    // The parent deletes its children in its own order: the hidden rendering
    // siblings may go before the slider.
    auto* parent = new QWidget;
    auto* slider = new AdvancedSlider(parent);
    slider->raise();
    delete parent;

    // A slider moved elsewhere keeps rendering its groove after its old
    // parent, and the rendering siblings with it, are gone.
    auto* oldParent = new QWidget;
    QWidget newParent;
    auto* moved = new AdvancedSlider(oldParent);
    moved->setOrientation(Qt::Horizontal);
    moved->defaultThumb()->hide();
    moved->setGrooveEmptyStyle("background: #0000ff; height: 10px;");
    moved->setParent(&newParent);
    moved->setGeometry(0, 0, 100, 20);
    delete oldParent;
    newParent.show();
    QTRY_COMPARE(moved->grab().toImage().pixelColor(50, 10), QColor(Qt::blue));
}

void tst_Scratch14::thumbRemovedOnItsDragFinished()
{
    AdvancedSlider slider;
    slider.setOrientation(Qt::Horizontal);
    slider.setRange(0, 1000);
    slider.setFixedSize(200, 30);
    QPointer<AdvancedSliderThumb> marker = slider.addThumb("marker");
    marker->setFixedSize(10, 10);
    marker->setValue(500);
    slider.show();
    QVERIFY(QTest::qWaitForWindowExposed(&slider));
    connect(marker, &AdvancedSliderThumb::dragFinished, &slider,
        [&slider] { slider.removeThumb("marker"); });
    QTest::mousePress(marker, Qt::LeftButton, {}, QPoint(5, 5));
    QMouseEvent move(QEvent::MouseMove, QPointF(55, 5), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(marker, &move);
    QSignalSpy finished(marker.data(), &AdvancedSliderThumb::dragFinished);
    QTest::mouseRelease(marker, Qt::LeftButton, {}, QPoint(55, 5));
    QCOMPARE(finished.count(), 1);
    QCOMPARE(slider.thumbByStyleTag("marker"), nullptr);
    QVERIFY(!marker || !marker->isVisible());
    QTRY_VERIFY(marker.isNull());
}

void tst_Scratch14::reboundVolumeControlIsCurrent()
{
    RecordingStateWidget windowed;
    RecordingStateWidget fullscreen;
    auto* windowedVolume = new VolumeProbe(&windowed);
    windowedVolume->setObjectName("volumeControl");
    auto* fullscreenVolume = new VolumeProbe(&fullscreen);
    fullscreenVolume->setObjectName("volumeControl");
    PlaybackControlPanelLogic logic;
    logic.SetWidget(&windowed);
    logic.SetWidget(&fullscreen);
    logic.SetAudioVolume(30);
    logic.MuteAudio(true);
    windowedVolume->calls.clear();
    logic.SetWidget(&windowed);
    logic.SetAudioVolume(40);
    QCOMPARE(windowedVolume->calls,
        (QStringList { "SetVolume(30)", "Mute(1)", "SetVolume(40)" }));
}

QTEST_MAIN(tst_Scratch14)
#include "tst_scratch14.moc"
