#include "Gui/Reelkit/PlaybackControlPanelSwitcher.h"
#include "Gui/Reelkit/TimelineSlider.h"
#include "PanelTestSupport.h"

#include <QPushButton>
#include <QScreen>
#include <QtTest>

using Tarvos::Gui::PlaybackControlPanelSwitcher;

class tst_PanelSwitcher : public QObject
{
    Q_OBJECT

    static constexpr int PanelHeight = 60;
    RecordingStateWidget* windowed = nullptr;
    RecordingStateWidget* fullscreen = nullptr;
    PlaybackControlPanelSwitcher* switcher = nullptr;
    RecordingListener listener;

    static QRect ScreenRect() { return QGuiApplication::primaryScreen()->geometry(); }

private slots:
    void init()
    {
        windowed = new RecordingStateWidget;
        fullscreen = new RecordingStateWidget;
        BuildFullPanel(windowed);
        BuildFullPanel(fullscreen);
        fullscreen->setFixedHeight(PanelHeight);
        windowed->show();
        switcher = new PlaybackControlPanelSwitcher(nullptr, windowed, fullscreen);
        switcher->SetListener(&listener);
        listener.calls.clear();
    }

    void cleanup()
    {
        delete switcher;
        delete fullscreen;
        delete windowed;
    }

    void switching()
    {
        QCOMPARE(switcher->GetPlaybackControlPanel(), windowed);
        QCOMPARE(windowed->receivedStates.size(), 1);
        QVERIFY(!fullscreen->isVisible());

        // A screen number that names no screen places the panel on the primary one.
        switcher->GoFullscreen(QGuiApplication::screens().size());
        const QRect screen = ScreenRect();
        QCOMPARE(fullscreen->geometry(),
            QRect(screen.left(), screen.bottom() - PanelHeight, screen.width(), PanelHeight));
        QVERIFY(fullscreen->isVisible() && fullscreen->isEnabled() && !windowed->isEnabled());
        QCOMPARE(switcher->GetPlaybackControlPanel(), fullscreen);
        QVERIFY(fullscreen->findChild<QPushButton*>("Fullscreen")->isChecked());

        switcher->GoWindowed();
        QVERIFY(!fullscreen->isVisible() && !fullscreen->isEnabled() && windowed->isEnabled());
        QCOMPARE(switcher->GetPlaybackControlPanel(), windowed);
        QVERIFY(!windowed->findChild<QPushButton*>("Fullscreen")->isChecked());
        // Set from code: the host hears nothing of its own switches.
        QVERIFY(listener.calls.isEmpty());
        QTest::mouseClick(windowed->findChild<QPushButton*>("Effects"), Qt::LeftButton);
        QCOMPARE(listener.TakeCalls(), QStringList { "OnButtonClick(0x1000)" });

        PlaybackControlPanelSwitcher lonely(nullptr, windowed, nullptr);
        lonely.InitializeWithWidgets(nullptr, fullscreen);
        QCOMPARE(lonely.GetPlaybackControlPanel(), nullptr);
        QVERIFY(lonely.IsCursorOverPanel());
    }

    void hideLeavesOneRowAndShowReturns()
    {
        switcher->SetShowHideDuration(250);
        switcher->GoFullscreen(0);
        const QRect shown = fullscreen->geometry();
        QCursor::setPos(shown.center());
        QTRY_VERIFY(switcher->IsCursorOverPanel());
        QCursor::setPos(windowed->mapToGlobal(windowed->rect().center()));
        QTRY_VERIFY(!switcher->IsCursorOverPanel());
        QElapsedTimer clock;
        clock.start();
        switcher->Hide();
        // The one row in sight shows no position until the panel is back.
        auto* slider = fullscreen->findChild<Tarvos::Gui::TimelineSlider*>("Progress");
        switcher->SetSourceInfo("/films/a.mkv", 600000000);
        switcher->SetPosition(30000000);
        QCOMPARE(slider->value(), 0);
        QTRY_COMPARE(fullscreen->geometry(), shown.translated(0, PanelHeight));
        QVERIFY(clock.elapsed() >= 200);
        // The top row of the slid-down panel is the screen's last row.
        QCOMPARE(fullscreen->geometry().top(), ScreenRect().bottom());
        switcher->Show();
        QCOMPARE(slider->value(), 3000000);
        QTRY_COMPARE(fullscreen->geometry(), shown);
        // Without motion the panel is where it goes at once.
        switcher->SetReduceMotion(true);
        switcher->Hide();
        QCOMPARE(fullscreen->geometry(), shown.translated(0, PanelHeight));
    }
};

QTEST_MAIN(tst_PanelSwitcher)
#include "tst_panelswitcher.moc"
