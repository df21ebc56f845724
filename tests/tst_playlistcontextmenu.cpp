#include "Gui/Reelkit/IPlaylistWidgetEventObserver.h"
#include "Gui/Reelkit/PlaylistItemData.h"
#include "Gui/Reelkit/PlaylistListView.h"
#include "Gui/Reelkit/PlaylistModel.h"
#include "PlaylistControllerTestSupport.h"

#include <QMenu>
#include <QPointer>
#include <QTranslator>
#include <QtTest>
#include <functional>
#include <memory>

using Tarvos::ioPath;
using Tarvos::Core::Property;
using Tarvos::Gui::IPlaylistWidgetEventObserver;
using Tarvos::Gui::PlaylistItemData;
using Tarvos::Gui::PlaylistListView;
using Tarvos::Gui::PlaylistModel;
using InfoPtr = PlaylistItemData::InfoPtr;

Q_DECLARE_METATYPE(InfoPtr)
Q_DECLARE_METATYPE(std::string)

namespace {

class Observer final : public IPlaylistWidgetEventObserver
{
public:
    QStringList log;

    void OnPlaylistWidgetDoubleClicked(const QPersistentModelIndex&) override {}
    void OnPlaylistWidgetKeyPress(int) override {}
    void OnFileDropped(const std::string&, int) override {}
    void OnActiveFileDropped(const std::string&, int) override {}
    void OnPlaylistWidgetAudioTrackSelected(QPersistentModelIndex index, unsigned stream) override
    {
        log << QStringLiteral("audio row %1 stream %2").arg(index.row()).arg(stream);
    }
    void OnPlaylistWidgetVideoTrackSelected(QPersistentModelIndex index, unsigned stream) override
    {
        log << QStringLiteral("video row %1 stream %2").arg(index.row()).arg(stream);
    }
};

// Translates the video label's format into the given text.
class Translator final : public QTranslator
{
public:
    explicit Translator(QString format)
        : m_format(std::move(format))
    {}
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        if (qstrcmp(context, "Tarvos::Gui::PlaylistListView") != 0
            || qstrcmp(source, "%i) %i:%i, %.2f FPS (%s)") != 0)
            return QString();
        return m_format;
    }

private:
    QString m_format;
};

QStringList Labels(const QMenu* menu)
{
    QStringList labels;
    for (const QAction* action : menu->actions())
        labels << action->text();
    return labels;
}

// Position of the checked item, −1 if none.
int Checked(const QMenu* menu)
{
    const QList<QAction*> actions = menu->actions();
    for (int i = 0; i < actions.size(); ++i) {
        if (actions[i]->isChecked())
            return i;
    }
    return -1;
}

} // namespace

class tst_PlaylistContextMenu : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void trackLabels_data();
    void trackLabels();
    void checkedTrack_data();
    void checkedTrack();
    void choosingATrack_data();
    void choosingATrack();
    void choiceAfterTheRowWasRemoved();
    void disabledItems_data();
    void disabledItems();
    void noMenuBesideTheRows();
    void menuWithoutNamedItemsIsShownUnchanged();
    void settingAnotherMenuDeletesTheOld();

private:
    void Add(const std::string& path, InfoPtr info, int audio = -1, int video = -1);
    // Right-clicks the row through the window and runs inMenu while the menu is
    // open; returns whether a menu opened. The menu is closed afterwards.
    bool RightClick(int row, const std::function<void(QMenu*)>& inMenu = {});
    // Clicks the item of the sub-menu the way a user does: opens the menus
    // down to the sub-menu, then clicks the item.
    void ClickTrack(QMenu* subMenu, int position);

    std::unique_ptr<QWidget> m_window;
    PlaylistListView* m_view = nullptr;
    PlaylistModel* m_model = nullptr;
    std::unique_ptr<PlaylistModelTester> m_tester;
    Observer m_observer;
    QMenu* m_menu = nullptr;
    QAction* m_fileInfo = nullptr;
    QMenu* m_video = nullptr;
    QMenu* m_audio = nullptr;
};

void tst_PlaylistContextMenu::init()
{
    m_observer.log.clear();
    m_window = std::make_unique<QWidget>();
    m_window->resize(300, 200);
    m_view = new PlaylistListView(m_window.get());
    m_view->setGeometry(0, 0, 300, 200);
    m_view->setFrameShape(QFrame::NoFrame);
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    m_model = new PlaylistModel(m_view);
    m_tester = std::make_unique<PlaylistModelTester>(m_model);
    m_view->setModel(m_model);
    m_view->AddEventObserver(&m_observer);

    // The host's menu; the audio sub-menu sits one level deeper than the rest.
    m_menu = new QMenu;
    m_menu->addAction(QStringLiteral("Play"));
    m_fileInfo = m_menu->addAction(QStringLiteral("File information"));
    m_fileInfo->setObjectName(QStringLiteral("action_FileInformation"));
    m_video = m_menu->addMenu(QStringLiteral("Video"));
    m_video->setObjectName(QStringLiteral("VideoTrack"));
    QMenu* tracks = m_menu->addMenu(QStringLiteral("More"));
    m_audio = tracks->addMenu(QStringLiteral("Audio"));
    m_audio->setObjectName(QStringLiteral("AudioTrack"));
    m_view->SetContextMenu(m_menu);

    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void tst_PlaylistContextMenu::cleanup()
{
    m_tester.reset();
    m_window.reset();
}

void tst_PlaylistContextMenu::Add(const std::string& path, InfoPtr info, int audio, int video)
{
    PlaylistItemData item { ioPath(path) };
    item.SetInfo(info);
    item.SetSelectedAudioStream(audio);
    item.SetSelectedVideoStream(video);
    m_model->InsertItem(item, -1);
}

bool tst_PlaylistContextMenu::RightClick(int row, const std::function<void(QMenu*)>& inMenu)
{
    bool opened = false;
    QTimer::singleShot(0, m_view, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        opened = menu != nullptr;
        if (!menu)
            return;
        if (inMenu)
            inMenu(menu);
        // Whatever is still open, innermost first.
        while (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    });
    // A row beyond the list is clicked at the bottom of the view.
    const QPoint point = row < m_model->rowCount()
        ? m_view->visualRect(m_model->index(row, 0)).center()
        : QPoint(40, m_view->viewport()->height() - 2);
    QTest::mouseClick(m_window->windowHandle(), Qt::RightButton, Qt::NoModifier,
        m_view->viewport()->mapTo(m_window.get(), point));
    // The timer ran inside the menu's loop if there was one; otherwise let it run now.
    QCoreApplication::processEvents();
    return opened;
}

void tst_PlaylistContextMenu::ClickTrack(QMenu* subMenu, int position)
{
    // The menus from the open one down to subMenu, opened one after the other.
    QList<QMenu*> chain { subMenu };
    while (!chain.front()->isVisible()) {
        auto* parent = qobject_cast<QMenu*>(chain.front()->parentWidget());
        QVERIFY(parent);
        chain.prepend(parent);
    }
    for (int i = 1; i < chain.size(); ++i) {
        QTest::mouseClick(chain[i - 1], Qt::LeftButton, {},
            chain[i - 1]->actionGeometry(chain[i]->menuAction()).center());
        QTRY_VERIFY(chain[i]->isVisible());
    }
    QAction* item = subMenu->actions().value(position);
    QVERIFY(item);
    QTest::mouseClick(subMenu, Qt::LeftButton, {}, subMenu->actionGeometry(item).center());
}

void tst_PlaylistContextMenu::trackLabels_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<InfoPtr>("info");
    QTest::addColumn<QStringList>("video");
    QTest::addColumn<QStringList>("audio");

    QTest::newRow("every kind of audio label")
        << QString()
        << InfoPtr(Info()
                       .Video(1920, 1080, Property::Ratio(25, 1), "H.264")
                       .Audio("aac", "eng", "Commentary")
                       .Audio("aac", "eng")
                       .Audio("AC3", {}, "Music")
                       .Audio("mp3"))
        << QStringList { "1) 1920:1080, 25.00 FPS (H.264)" }
        << QStringList { "1) eng, Commentary(AAC)", "2) eng (AAC)", "3) Music(AC3)", "4) (MP3)" };
    QTest::newRow("kinds counted apart, codec names looked up")
        << QString()
        << InfoPtr(Info()
                       .Video(720, 576, Property::Ratio(30000, 1001), "h264")
                       .Audio("ac3", "deu")
                       .Subtitle()
                       .Audio("flac", "fra")
                       .Video(320, 240, Property::Ratio(0, 1), "vp9"))
        << QStringList { "1) 720:576, 29.97 FPS (H.264 / AVC)", "2) 320:240, 0.00 FPS (VP9)" }
        << QStringList { "1) deu (Dolby Digital)", "2) fra (FLAC)" };
    const InfoPtr vp9 = Info().Video(1280, 720, Property::Ratio(50, 1), "vp9");
    QTest::newRow("translated") << QString::fromUtf8("Spur %i: %i \xc3\x97 %i, %.2f B/s, %s") << vp9
                                << QStringList { QString::fromUtf8(
                                       "Spur 1: 1280 \xc3\x97 720, 50.00 B/s, VP9") }
                                << QStringList();
    QTest::newRow("translation lost a placeholder")
        << "%i) %i:%i (%s)" << vp9 << QStringList { "1) 1280:720, 50.00 FPS (VP9)" }
        << QStringList();
}

void tst_PlaylistContextMenu::trackLabels()
{
    QFETCH(QString, format);
    QFETCH(InfoPtr, info);
    QFETCH(QStringList, video);
    QFETCH(QStringList, audio);
    Translator translator(format);
    if (!format.isEmpty())
        QCoreApplication::installTranslator(&translator);
    Add("/clip.mkv", info);

    QVERIFY(RightClick(0));
    QCoreApplication::removeTranslator(&translator);
    QCOMPARE(Labels(m_video), video);
    QCOMPARE(Labels(m_audio), audio);
    QCOMPARE(m_video->isEnabled(), !video.isEmpty());
    QCOMPARE(m_audio->isEnabled(), !audio.isEmpty());
}

void tst_PlaylistContextMenu::checkedTrack_data()
{
    QTest::addColumn<InfoPtr>("info");
    QTest::addColumn<int>("storedVideo");
    QTest::addColumn<int>("storedAudio");
    QTest::addColumn<int>("checkedVideo");
    QTest::addColumn<int>("checkedAudio");

    const InfoPtr secondAudioMain
        = Info().Video(640, 480, 25, "h264").Audio("aac").Audio("mp3", {}, {}, "true");
    // The first stream is the fallback.
    QTest::newRow("a false flag is no main")
        << InfoPtr(Info().Video(640, 480, 25, "h264").Audio("aac", {}, {}, "false").Audio("mp3"))
        << -1 << -1 << 0 << 0;
    QTest::newRow("first of two mains") << InfoPtr(Info()
                                                       .Video(640, 480, 25, "h264")
                                                       .Video(640, 480, 25, "h264", "true")
                                                       .Video(640, 480, 25, "h264", "true")
                                                       .Audio("aac", {}, {}, "true")
                                                       .Audio("mp3", {}, {}, "true"))
                                        << -1 << -1 << 1 << 0;
    QTest::newRow("stored audio beats main")
        << InfoPtr(Info().Video(640, 480, 25, "h264").Audio("aac", {}, {}, "true").Audio("mp3"))
        << -1 << 2 << 0 << 1;
    QTest::newRow("stored 0 is ignored") << secondAudioMain << 0 << 0 << 0 << 1;
    QTest::newRow("stored stream of the other kind") << secondAudioMain << 1 << 0 << -1 << 1;
}

void tst_PlaylistContextMenu::checkedTrack()
{
    QFETCH(InfoPtr, info);
    QFETCH(int, storedVideo);
    QFETCH(int, storedAudio);
    QFETCH(int, checkedVideo);
    QFETCH(int, checkedAudio);
    // Another entry's menu first: the groups must not carry its checks over.
    Add("/other.mkv", Info().Video(1, 1, 1, "h264").Audio("aac").Audio("aac"), 2, 0);
    Add("/clip.mkv", info, storedAudio, storedVideo);

    QVERIFY(RightClick(0));
    QVERIFY(RightClick(1));
    QCOMPARE(Checked(m_video), checkedVideo);
    QCOMPARE(Checked(m_audio), checkedAudio);
}

void tst_PlaylistContextMenu::choosingATrack_data()
{
    QTest::addColumn<bool>("audio");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("call");

    QTest::newRow("checked audio again") << true << 0 << "audio row 1 stream 1";
    QTest::newRow("video") << false << 1 << "video row 1 stream 2";
}

void tst_PlaylistContextMenu::choosingATrack()
{
    QFETCH(bool, audio);
    QFETCH(int, position);
    QFETCH(QString, call);
    Add("/first.mkv", Info().Video(1, 1, 1, "h264").Audio("aac").Audio("aac"));
    Add("/clip.mkv",
        Info().Video(640, 480, 25, "h264").Audio("aac").Video(320, 240, 25, "vp8").Audio("mp3"));

    QVERIFY(RightClick(1, [&](QMenu*) { ClickTrack(audio ? m_audio : m_video, position); }));
    QCOMPARE(m_observer.log, QStringList { call });
    // The choice is the observer's to store: the entry is as it was.
    const auto entry = m_model->index(1, 0).data().value<PlaylistItemData>();
    QCOMPARE(entry.GetSelectedAudioStream(), -1);
    QCOMPARE(entry.GetSelectedVideoStream(), -1);
}

void tst_PlaylistContextMenu::choiceAfterTheRowWasRemoved()
{
    Add("/clip.mkv", Info().Audio("aac").Audio("mp3"));
    QVERIFY(RightClick(0, [&](QMenu*) {
        m_model->removeRows(0, 1);
        m_audio->actions().at(1)->trigger();
    }));
    QCOMPARE(m_observer.log, QStringList { "audio row -1 stream 1" });
}

void tst_PlaylistContextMenu::disabledItems_data()
{
    QTest::addColumn<InfoPtr>("info");
    QTest::addColumn<bool>("fileInfo");

    QTest::newRow("information pending") << InfoPtr() << false;
    QTest::newRow("image") << InfoPtr(Info("/photo.png", 0, "png_pipe").Video(640, 480, 25, "png"))
                           << true;
}

void tst_PlaylistContextMenu::disabledItems()
{
    QFETCH(InfoPtr, info);
    QFETCH(bool, fileInfo);
    // Another entry's menu first, with everything enabled.
    Add("/clip.mkv", Info().Video(640, 480, 25, "h264").Audio("aac"));
    Add("/other", info);
    QVERIFY(RightClick(0));
    QVERIFY(RightClick(1));
    QCOMPARE(m_fileInfo->isEnabled(), fileInfo);
    QVERIFY(!m_video->isEnabled());
    QVERIFY(!m_audio->isEnabled());
}

void tst_PlaylistContextMenu::noMenuBesideTheRows()
{
    Add("/clip.mkv", Info().Audio("aac"));
    QVERIFY(!RightClick(3));

    m_view->SetContextMenu(nullptr);
    QVERIFY(!RightClick(0));
}

void tst_PlaylistContextMenu::menuWithoutNamedItemsIsShownUnchanged()
{
    Add("/clip.mkv", Info().Audio("aac"));
    // No "VideoTrack" in this one.
    delete m_video;
    m_fileInfo->setEnabled(false);
    m_audio->addAction(QStringLiteral("host's own item"));

    QMenu* shown = nullptr;
    QVERIFY(RightClick(0, [&](QMenu* open) { shown = open; }));
    QCOMPARE(shown, m_menu);
    QVERIFY(!m_fileInfo->isEnabled());
    QCOMPARE(Labels(m_audio), QStringList { "host's own item" });
}

void tst_PlaylistContextMenu::settingAnotherMenuDeletesTheOld()
{
    QSignalSpy spy(m_view, SIGNAL(ShowFileInfo(std::string)));
    Add("/clip.mkv", Info().Audio("aac"));
    QPointer<QMenu> old = m_menu;
    m_view->SetContextMenu(m_menu);
    QVERIFY(old);
    QVERIFY(RightClick(0, [&](QMenu*) { m_fileInfo->trigger(); }));
    QCOMPARE(spy.count(), 1);

    m_view->SetContextMenu(new QMenu);
    QVERIFY(!old);
}

QTEST_MAIN(tst_PlaylistContextMenu)
#include "tst_playlistcontextmenu.moc"
