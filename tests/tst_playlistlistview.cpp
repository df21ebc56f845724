#include "Gui/Reelkit/IPlaylistWidgetEventObserver.h"
#include "Gui/Reelkit/PlaylistItemDelegate.h"
#include "Gui/Reelkit/PlaylistListView.h"
#include "Gui/Reelkit/PlaylistModel.h"
#include "PlaylistControllerTestSupport.h"

#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QScrollBar>
#include <QtTest>
#include <functional>
#include <memory>

using Tarvos::ioPath;
using Tarvos::Core::Property;
using Tarvos::Gui::PlaylistItemData;
using Tarvos::Gui::PlaylistModel;
using InfoPtr = PlaylistItemData::InfoPtr;

namespace {

const int RowHeight = 24;

// Hand-made drop events carry no source, so the test says where a drag began.
struct View final : Tarvos::Gui::PlaylistListView
{
    using PlaylistListView::PlaylistListView;
    bool dragFromThisView = false;
    bool IsDragFromThisView(const QDropEvent&) const override { return dragFromThisView; }
};

// The menu's items, the checked one marked with "*".
QStringList Items(const QMenu* menu)
{
    QStringList items;
    for (const QAction* action : menu->actions())
        items << (action->isChecked() ? "*" : "") + action->text();
    return items;
}

} // namespace

Q_DECLARE_METATYPE(std::string)

// Logs every observer call, and what the view leaves to its parent, into m_log.
class tst_PlaylistListView : public QObject, Tarvos::Gui::IPlaylistWidgetEventObserver
{
    Q_OBJECT

public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::Wheel)
            m_log << QStringLiteral("parent %1").arg(event->type());
        return false;
    }

private:
    void OnPlaylistWidgetDoubleClicked(const QPersistentModelIndex& i) override
    {
        m_log << QStringLiteral("double %1").arg(i.row());
    }
    // Where the list's current row was when told.
    void OnPlaylistWidgetKeyPress(int key) override
    {
        m_log << QStringLiteral("key %1 at %2").arg(key).arg(m_view->currentIndex().row());
    }
    void OnFileDropped(const std::string& path, int row) override { Log("file", path, row); }
    void OnActiveFileDropped(const std::string& p, int row) override { Log("active", p, row); }
    void OnPlaylistWidgetAudioTrackSelected(QPersistentModelIndex i, unsigned stream) override
    {
        m_log << QStringLiteral("audio row %1 stream %2").arg(i.row()).arg(stream);
    }
    void OnPlaylistWidgetVideoTrackSelected(QPersistentModelIndex i, unsigned stream) override
    {
        m_log << QStringLiteral("video row %1 stream %2").arg(i.row()).arg(stream);
    }
    void Log(const char* kind, const std::string& path, int row)
    {
        m_log << QString::asprintf("%s %s %d", kind, path.c_str(), row);
    }

private slots:
    void init();
    void cleanup();
    void keys();
    void wheelAndMouse();
    void drops();
    void trackMenus();
    void menus();

private:
    void Add(const std::string& path, const InfoPtr& info = {}, int audio = -1, int video = -1)
    {
        PlaylistItemData item { ioPath(path) };
        item.SetInfo(info);
        item.SetSelectedAudioStream(audio);
        item.SetSelectedVideoStream(video);
        m_model->InsertItem(item, -1);
    }
    // Files named "/0" … "/<count − 1>".
    void Fill(int count)
    {
        for (int i = 0; i < count; ++i)
            Add("/" + std::to_string(i));
    }
    QList<int> MarkedRows() const;
    QPoint RowPoint(int row, int yInRow) const { return QPoint(40, row * RowHeight + yInRow); }
    // Sends a drag event to the viewport; tells whether it was accepted.
    template <typename Event>
    bool Send(const QMimeData& mime, const QPoint& position,
        Qt::KeyboardModifiers modifiers = Qt::NoModifier, Qt::DropAction* action = nullptr)
    {
        Event event(position, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, modifiers);
        QApplication::sendEvent(m_view->viewport(), &event);
        if (action)
            *action = event.dropAction();
        return event.isAccepted();
    }
    // Enters, moves and drops as a drag does, logging the row marked under the
    // cursor: the drop action if the drop was taken.
    Qt::DropAction Drop(const QMimeData& mime, const QPoint& position,
        Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Right-clicks the row through the window and runs inMenu while the menu is
    // open; returns whether the menu opened. The menu is closed afterwards.
    // Opens row's menu with a right click or, by key, with the menu key on
    // the current row.
    bool RightClick(int row, const std::function<void()>& inMenu = {}, bool byKey = false);

    std::unique_ptr<QWidget> m_parent;
    View* m_view = nullptr;
    PlaylistModel* m_model = nullptr;
    std::unique_ptr<PlaylistModelTester> m_tester;
    QStringList m_log;
    // The host's menu; the audio sub-menu sits one level deeper than the rest.
    QMenu* m_menu = nullptr;
    QAction* m_fileInfo = nullptr;
    QMenu* m_video = nullptr;
    QMenu* m_audio = nullptr;
};

void tst_PlaylistListView::init()
{
    m_log.clear();
    m_parent = std::make_unique<QWidget>();
    m_parent->installEventFilter(this);
    m_view = new View(m_parent.get());
    m_view->setGeometry(0, 0, 300, 200);
    // What the tests rely on of the playlist frame's settings.
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    m_view->setDragDropMode(QAbstractItemView::DragDrop);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_model = new PlaylistModel(m_view);
    m_tester = std::make_unique<PlaylistModelTester>(m_model);
    m_view->setModel(m_model);
    m_view->setItemDelegate(new Tarvos::Gui::PlaylistItemDelegate(m_view));
    m_view->AddEventObserver(this);

    m_menu = new QMenu;
    (m_fileInfo = m_menu->addAction("File information"))->setObjectName("action_FileInformation");
    (m_video = m_menu->addMenu("Video"))->setObjectName("VideoTrack");
    (m_audio = m_menu->addMenu("More")->addMenu("Audio"))->setObjectName("AudioTrack");
    m_view->SetContextMenu(m_menu);

    m_parent->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_parent.get()));
}

void tst_PlaylistListView::cleanup()
{
    // Ends any drag a test left open: the drag manager would keep pointing at
    // the viewport after it is gone.
    QDragLeaveEvent leave;
    QApplication::sendEvent(m_view->viewport(), &leave);
    m_tester.reset();
    m_parent.reset();
}

QList<int> tst_PlaylistListView::MarkedRows() const
{
    QList<int> rows;
    for (int row = 0; row < m_model->rowCount(); ++row) {
        if (m_model->index(row, 0).data().value<PlaylistItemData>().GetUnderDrop())
            rows << row;
    }
    return rows;
}

Qt::DropAction tst_PlaylistListView::Drop(
    const QMimeData& mime, const QPoint& position, Qt::KeyboardModifiers modifiers)
{
    if (!Send<QDragEnterEvent>(mime, position, modifiers))
        return Qt::IgnoreAction;
    Send<QDragMoveEvent>(mime, position, modifiers);
    m_log << QStringLiteral("marked %1").arg(MarkedRows().value(0, -1));
    Qt::DropAction action = Qt::IgnoreAction;
    const bool taken = Send<QDropEvent>(mime, position, modifiers, &action);
    if (!MarkedRows().isEmpty())
        m_log << "still marked";
    return taken ? action : Qt::IgnoreAction;
}

bool tst_PlaylistListView::RightClick(int row, const std::function<void()>& inMenu, bool byKey)
{
    if (byKey) {
        m_parent->activateWindow();
        if (!QTest::qWaitForWindowActive(m_parent.get()))
            return false;
        m_view->setCurrentIndex(m_model->index(row, 0));
        m_view->setFocus();
    }
    QPointer<QMenu> opened;
    QTimer::singleShot(0, m_view, [&] {
        opened = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (opened && inMenu)
            inMenu();
        // Whatever is still open, innermost first.
        while (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    });
    if (byKey) {
        // What the platform sends the window for the menu key.
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(), QPoint());
        QApplication::sendEvent(m_parent->windowHandle(), &menuKey);
    } else {
        QTest::mouseClick(m_parent->windowHandle(), Qt::RightButton, {}, RowPoint(row, 12));
    }
    // The timer ran inside the menu's loop if there was one; otherwise let it run now.
    QCoreApplication::processEvents();
    return opened && opened == m_menu;
}

void tst_PlaylistListView::keys()
{
    Fill(4);
    // The observers hear of a key before the list moves; the parent's
    // shortcuts go to the parent untold, keys the list has no use for after.
    const Qt::KeyboardModifiers none, ctrl(Qt::ControlModifier);
    const auto told
        = [](int key) { return QStringList { QStringLiteral("key %1 at 1").arg(key) }; };
    const QString parent = QStringLiteral("parent %1").arg(QEvent::KeyPress);
    for (const auto& [key, modifiers, log, currentRow] :
        QList<std::tuple<int, Qt::KeyboardModifiers, QStringList, int>> {
            { Qt::Key_Up, ctrl, { parent }, 1 }, { Qt::Key_Up, none, told(Qt::Key_Up), 0 },
            { Qt::Key_A, ctrl, told(Qt::Key_A), 1 },
            { Qt::Key_Up, ctrl | Qt::AltModifier, told(Qt::Key_Up), 0 },
            { Qt::Key_Delete, none, told(Qt::Key_Delete) << parent, 1 } }) {
        m_log.clear();
        m_view->setCurrentIndex(m_model->index(1, 0));
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(m_view, &press);
        QCOMPARE(m_log, log);
        QCOMPARE(m_view->currentIndex().row(), currentRow);
    }
    // Entries are no text: typing reaches the observers but searches nothing.
    QTest::keyClicks(m_view, "/3");
    QCOMPARE(m_view->currentIndex().row(), 1);
}

void tst_PlaylistListView::wheelAndMouse()
{
    // The list scrolls, and even where it cannot the wheel never reaches the parent.
    Fill(30);
    QCoreApplication::processEvents();
    for (const auto& [delta, scrolled] : { std::pair(120, false), std::pair(-120, true) }) {
        QWheelEvent wheel(QPointF(40, 50), m_view->viewport()->mapToGlobal(QPoint(40, 50)),
            QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(m_view->viewport(), &wheel);
        QCOMPARE(m_view->verticalScrollBar()->value() > 0, scrolled);
    }
    QCOMPARE(m_log, QStringList());

    m_model->removeRows(5, 25);
    QCOMPARE(m_view->GetSelectedRow(), -1);
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, Qt::NoModifier, RowPoint(3, 5));
    QCOMPARE(m_view->GetSelectedRow(), 3);
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, Qt::ControlModifier, RowPoint(1, 5));
    QCOMPARE(m_view->GetSelectedRow(), 1);
    // Only a left double click on a row is told.
    for (const auto& [button, row] : { std::pair(Qt::LeftButton, 2), std::pair(Qt::RightButton, 3),
             std::pair(Qt::LeftButton, 6) }) {
        QTest::mouseClick(m_view->viewport(), button, Qt::NoModifier, RowPoint(row, 5));
        QTest::mouseDClick(m_view->viewport(), button, Qt::NoModifier, RowPoint(row, 5));
    }
    QCOMPARE(m_log, QStringList { "double 2" });
}

void tst_PlaylistListView::drops()
{
    // Files go below the row 12 pixels above the cursor (marked), or at the
    // end; the last first, so that they keep their order.
    Fill(5);
    QMimeData files;
    files.setUrls({ QUrl::fromLocalFile("/F1"), QUrl::fromLocalFile(QString::fromUtf8("/F 2ü")) });
    for (const auto& [point, row, marked] :
        { std::tuple(RowPoint(3, 11), 3, 2), std::tuple(RowPoint(3, 12), 4, 3),
            std::tuple(RowPoint(0, 6), 5, -1), std::tuple(RowPoint(5, 30), 5, -1) }) {
        m_log.clear();
        QCOMPARE(Drop(files, point), Qt::CopyAction);
        QCOMPARE(m_log,
            QStringList({ QStringLiteral("marked %1").arg(marked),
                QString::fromUtf8("file /F 2ü %1").arg(row),
                QStringLiteral("file /F1 %1").arg(row) }));
    }
    // One row at most, none once the drag has left.
    QVERIFY(Send<QDragEnterEvent>(files, RowPoint(1, 18)));
    QCOMPARE(MarkedRows(), QList<int>());
    for (const auto& [point, rows] : QList<QPair<QPoint, QList<int>>> {
             { RowPoint(1, 6), { 0 } }, { RowPoint(0, 4), {} }, { RowPoint(2, 18), { 2 } } }) {
        QVERIFY(Send<QDragMoveEvent>(files, point));
        QCOMPARE(MarkedRows(), rows);
    }
    QDragLeaveEvent leave;
    QApplication::sendEvent(m_view->viewport(), &leave);
    QCOMPARE(MarkedRows(), QList<int>());

    // Rows 3 and 1 (playing), each once, dragged below row 2, which is marked
    // again; the drag that reports a move removes the dragged rows, so nothing
    // here may.
    PlaylistItemData playing = m_model->index(1, 0).data().value<PlaylistItemData>();
    playing.SetActive(true);
    m_model->UpdateItem(m_model->index(1, 0), playing);
    const std::unique_ptr<QMimeData> rows(
        m_model->mimeData({ m_model->index(3, 0), m_model->index(1, 0), m_model->index(3, 0) }));
    for (const auto& [fromThisView, modifiers, action] :
        QList<std::tuple<bool, Qt::KeyboardModifiers, Qt::DropAction>> {
            { true, Qt::NoModifier, Qt::MoveAction }, { true, Qt::ControlModifier, Qt::CopyAction },
            { false, Qt::NoModifier, Qt::CopyAction },
            { false, Qt::ShiftModifier, Qt::MoveAction } }) {
        m_log.clear();
        m_view->dragFromThisView = fromThisView;
        QCOMPARE(Drop(*rows, RowPoint(2, 18), modifiers), action);
        QCOMPARE(m_log, QStringList({ "marked 2", "file /3 3", "active /1 3" }));
    }

    // Refused: nothing told, and no move that could take the dragged rows
    // away; the marker shows as long as the kind of payload would do.
    m_log.clear();
    for (const auto& [format, payload] :
        QList<QPair<QString, QByteArray>> { { "text/plain", "/a" }, { "text/uri-list", "" },
            { PlaylistModel::MimeType, R"({"name":"","array":true,"children":[]})" } }) {
        QMimeData mime;
        mime.setData(format, payload);
        QCOMPARE(Drop(mime, RowPoint(1, 18)), Qt::IgnoreAction);
    }
    QCOMPARE(m_log, QStringList({ "marked 1", "marked 1" }));
    QCOMPARE(m_model->rowCount(), 5);
}

void tst_PlaylistListView::trackMenus()
{
    struct Row
    {
        InfoPtr info;
        int storedVideo, storedAudio;
        QStringList video, audio; // the checked item marked with "*"
    };
    const QString vp9 = QStringLiteral("1) 1:1, 1.00 FPS (VP9)");
    const InfoPtr secondMain
        = Info().Video(1, 1, 1, "vp9").Audio("aac").Audio("mp3", {}, {}, "true");
    // Kinds are counted apart. Checked: a stored choice above 0, else the
    // first main stream ("true"), else the first.
    for (const Row& row :
        { Row { Info()
                    .Video(1920, 1080, Property::Ratio(25, 1), "H.264")
                    .Audio("aac", "eng", "Commentary")
                    .Audio("aac", "eng")
                    .Subtitle()
                    .Audio("ac3", {}, "Music")
                    .Video(720, 576, Property::Ratio(30000, 1001), "h264")
                    .Audio("mp3"),
              -1, -1, { "*1) 1920:1080, 25.00 FPS (H.264)", "2) 720:576, 29.97 FPS (H.264 / AVC)" },
              { "*1) eng, Commentary(AAC)", "2) eng (AAC)", "3) Music(Dolby Digital)",
                  "4) (MP3)" } },
            Row { Info()
                      .Video(1, 1, 1, "vp9")
                      .Audio("aac", {}, {}, "false")
                      .Audio("mp3", {}, {}, "true")
                      .Audio("aac", {}, {}, "true"),
                -1, -1, { "*" + vp9 }, { "1) (AAC)", "*2) (MP3)", "3) (AAC)" } },
            Row { Info().Video(1, 1, 1, "vp9").Audio("aac", {}, {}, "true").Audio("mp3"), -1, 2,
                { "*" + vp9 }, { "1) (AAC)", "*2) (MP3)" } },
            // A stored stream of the other kind checks nothing; a stored 0 is none.
            Row { secondMain, 1, 0, { vp9 }, { "1) (AAC)", "*2) (MP3)" } } }) {
        // Another entry's menu first: the groups must not carry its checks over.
        m_model->removeRows(0, m_model->rowCount());
        Add("/other.mkv", Info().Video(1, 1, 1, "h264").Audio("aac").Audio("aac"), 2, 0);
        Add("/clip.mkv", row.info, row.storedAudio, row.storedVideo);
        QVERIFY(RightClick(0) && RightClick(1));
        QCOMPARE(Items(m_video), row.video);
        QCOMPARE(Items(m_audio), row.audio);
        QVERIFY(m_video->isEnabled() && m_audio->isEnabled());
    }

    // Pending information disables all; an image has information but no tracks.
    Add("/pending");
    Add("/photo.png", Info("/photo.png", 0, "png_pipe").Video(640, 480, 25, "png"));
    for (const int row : { 2, 3 }) {
        QVERIFY(RightClick(0) && RightClick(row));
        QCOMPARE(m_fileInfo->isEnabled(), row == 3);
        QVERIFY(!m_video->isEnabled() && !m_audio->isEnabled());
    }
}

void tst_PlaylistListView::menus()
{
    QSignalSpy spy(m_view, SIGNAL(ShowFileInfo(std::string)));
    Add("/first.mkv", Info().Video(1, 1, 1, "h264").Audio("aac").Audio("aac"));
    Add("/clip.mkv",
        Info().Video(640, 480, 25, "h264").Audio("aac").Video(320, 240, 25, "vp8").Audio("mp3"));
    QVERIFY(!RightClick(3));
    // A track chosen, then the checked one again: the choice is the observer's
    // to store, the entry is as it was.
    QVERIFY(RightClick(1, [&] { m_video->actions().at(1)->trigger(); }));
    QVERIFY(RightClick(
        1, [&] { m_audio->actions().at(0)->trigger(); }, true));
    const auto entry = m_model->index(1, 0).data().value<PlaylistItemData>();
    QVERIFY(entry.GetSelectedAudioStream() == -1 && entry.GetSelectedVideoStream() == -1);
    // A choice made after the row has gone.
    QVERIFY(RightClick(1, [&] {
        m_model->removeRows(1, 1);
        m_audio->actions().at(1)->trigger();
    }));
    QCOMPARE(m_log,
        QStringList({ "video row 1 stream 2", "audio row 1 stream 1", "audio row -1 stream 3" }));

    // Set again, the menu stays; its information item is told once. A menu
    // without one of the named items is shown as the host made it.
    QPointer<QMenu> old = m_menu;
    m_view->SetContextMenu(m_menu);
    delete m_video;
    QVERIFY(RightClick(0, [&] { m_fileInfo->trigger(); }));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<std::string>(), std::string("/first.mkv"));

    // A menu replaced from one of its own items goes once its loop is left.
    QAction* replace = m_menu->addAction(QStringLiteral("replace"));
    bool replaced = false;
    connect(replace, &QAction::triggered, m_view, [&] {
        m_view->SetContextMenu(new QMenu);
        replaced = bool(old);
    });
    RightClick(0, [&] { replace->trigger(); });
    QVERIFY(replaced);
    QTRY_VERIFY(!old);

    m_view->SetContextMenu(nullptr);
    QVERIFY(!RightClick(0));
}

QTEST_MAIN(tst_PlaylistListView)
#include "tst_playlistlistview.moc"
