#include "Gui/Reelkit/IPlaylistWidgetEventObserver.h"
#include "Gui/Reelkit/PlaylistItemData.h"
#include "Gui/Reelkit/PlaylistItemDelegate.h"
#include "Gui/Reelkit/PlaylistListView.h"
#include "Gui/Reelkit/PlaylistModel.h"
#include "PlaylistModelTester.h"

#include <QMimeData>
#include <QScrollBar>
#include <QtTest>
#include <functional>
#include <memory>

using Tarvos::ioPath;
using Tarvos::Gui::IPlaylistWidgetEventObserver;
using Tarvos::Gui::PlaylistItemData;
using Tarvos::Gui::PlaylistListView;
using Tarvos::Gui::PlaylistModel;

namespace {

const int RowHeight = 24;
const QString RowsMimeType = QStringLiteral("application/x-tarvos-files");

// Hand-made drop events carry no source, so the test says where a drag began.
class View final : public PlaylistListView
{
public:
    using PlaylistListView::PlaylistListView;
    bool dragFromThisView = false;

protected:
    bool IsDragFromThisView(const QDropEvent&) const override { return dragFromThisView; }
};

// Sees what the view leaves to its parent.
class Parent final : public QWidget
{
public:
    QStringList log;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        log << QStringLiteral("parent key %1").arg(event->key());
    }
    void wheelEvent(QWheelEvent* event) override
    {
        log << QStringLiteral("parent wheel");
        event->accept();
    }
};

// Logs every call; when a model is given, inserts dropped files as the
// playlist's controller and host do.
class Observer final : public IPlaylistWidgetEventObserver
{
public:
    explicit Observer(QStringList* log, QString prefix = QString())
        : m_log(log)
        , m_prefix(std::move(prefix))
    {}

    PlaylistModel* insertInto = nullptr;
    std::function<void()> onCall;

    void OnPlaylistWidgetDoubleClicked(const QPersistentModelIndex& index) override
    {
        Log(QStringLiteral("double %1").arg(index.row()));
    }
    void OnPlaylistWidgetKeyPress(int key) override { Log(QStringLiteral("key %1").arg(key)); }
    void OnFileDropped(const std::string& path, int row) override { Drop("file", path, row); }
    void OnActiveFileDropped(const std::string& path, int row) override
    {
        Drop("active", path, row);
    }
    void OnPlaylistWidgetAudioTrackSelected(QPersistentModelIndex, unsigned int) override {}
    void OnPlaylistWidgetVideoTrackSelected(QPersistentModelIndex, unsigned int) override {}

private:
    void Log(const QString& text)
    {
        *m_log << m_prefix + text;
        if (onCall)
            onCall();
    }
    void Drop(const char* kind, const std::string& path, int row)
    {
        Log(QStringLiteral("%1 %2 %3").arg(kind, QString::fromStdString(path)).arg(row));
        if (insertInto)
            insertInto->InsertItem(PlaylistItemData(ioPath(path)), row);
    }

    QStringList* m_log;
    QString m_prefix;
};

} // namespace

class tst_PlaylistListView : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void keys_data();
    void keys();
    void wheelIsSwallowed();
    void doubleClicks_data();
    void doubleClicks();
    void selectedRow();
    void observers();
    void dropRows_data();
    void dropRows();
    void dropFilesKeepsTheirOrder();
    void moveOrCopy_data();
    void moveOrCopy();
    void dropMarkerOnOneRowAtMost();
    void oddRowPayloads_data();
    void oddRowPayloads();

private:
    void Fill(int count);
    QStringList Paths() const;
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
    // Enters, moves and drops: the drop action if the drop was taken.
    Qt::DropAction Drop(const QMimeData& mime, const QPoint& position,
        Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    std::unique_ptr<Parent> m_parent;
    View* m_view = nullptr;
    PlaylistModel* m_model = nullptr;
    std::unique_ptr<PlaylistModelTester> m_tester;
    QStringList m_log;
    std::unique_ptr<Observer> m_observer;
};

void tst_PlaylistListView::init()
{
    m_log.clear();
    m_parent = std::make_unique<Parent>();
    m_parent->resize(300, 200);
    m_view = new View(m_parent.get());
    m_view->setGeometry(0, 0, 300, 200);
    // Set up as the playlist frame does.
    m_view->setFrameShape(QFrame::NoFrame);
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setAcceptDrops(true);
    m_view->setDragEnabled(true);
    m_view->setDragDropMode(QAbstractItemView::DragDrop);
    m_view->setDefaultDropAction(Qt::CopyAction);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);

    m_model = new PlaylistModel(m_view);
    m_tester = std::make_unique<PlaylistModelTester>(m_model);
    m_view->setModel(m_model);
    // Rows 24 pixels high.
    m_view->setItemDelegate(new Tarvos::Gui::PlaylistItemDelegate(m_view));
    m_observer = std::make_unique<Observer>(&m_log);
    m_observer->insertInto = m_model;
    m_view->AddEventObserver(m_observer.get());

    m_parent->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_parent.get()));
    m_view->setFocus();
}

void tst_PlaylistListView::cleanup()
{
    // Ends any drag a test left open: the drag manager would keep pointing at
    // the viewport after it is gone.
    QDragLeaveEvent leave;
    QApplication::sendEvent(m_view->viewport(), &leave);
    m_tester.reset();
    m_parent.reset();
    m_observer.reset();
}

void tst_PlaylistListView::Fill(int count)
{
    for (int i = 0; i < count; ++i)
        m_model->InsertItem(
            PlaylistItemData(ioPath(QStringLiteral("/%1").arg(i).toStdString())), -1);
    m_view->setCurrentIndex(m_model->index(0, 0));
    m_log.clear();
}

QStringList tst_PlaylistListView::Paths() const
{
    QStringList paths;
    for (int row = 0; row < m_model->rowCount(); ++row)
        paths << QString::fromStdString(
            m_model->index(row, 0).data().value<PlaylistItemData>().GetName());
    return paths;
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
    Send<QDragEnterEvent>(mime, position, modifiers);
    Send<QDragMoveEvent>(mime, position, modifiers);
    Qt::DropAction action = Qt::IgnoreAction;
    return Send<QDropEvent>(mime, position, modifiers, &action) ? action : Qt::IgnoreAction;
}

void tst_PlaylistListView::keys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("reported");
    QTest::addColumn<bool>("parentSees");
    QTest::addColumn<int>("currentRow");
    const Qt::KeyboardModifiers none;
    const Qt::KeyboardModifiers ctrl(Qt::ControlModifier);
    const int up = Qt::Key_Up;
    QTest::newRow("ctrl+up") << up << ctrl << false << true << 1;
    QTest::newRow("up") << up << none << true << false << 0;
    QTest::newRow("ctrl+a") << int(Qt::Key_A) << ctrl << true << false << 1;
    QTest::newRow("ctrl+alt+up") << up << (ctrl | Qt::AltModifier) << true << false << 0;
    // The list itself has no use for these and lets them go on after the observers.
    QTest::newRow("delete") << int(Qt::Key_Delete) << none << true << true << 1;
}

void tst_PlaylistListView::keys()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, reported);
    QFETCH(bool, parentSees);
    QFETCH(int, currentRow);
    Fill(4);
    m_view->setCurrentIndex(m_model->index(1, 0));
    // The observers hear of the key before the list moves.
    QList<int> rowsWhenTold;
    m_observer->onCall = [&] { rowsWhenTold << m_view->currentIndex().row(); };

    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(m_view, &press);
    QCOMPARE(m_log, reported ? QStringList { QStringLiteral("key %1").arg(key) } : QStringList());
    QCOMPARE(m_parent->log,
        parentSees ? QStringList { QStringLiteral("parent key %1").arg(key) } : QStringList());
    QCOMPARE(rowsWhenTold, reported ? QList<int> { 1 } : QList<int>());
    QCOMPARE(m_view->currentIndex().row(), currentRow);
    if (key == Qt::Key_A && reported)
        QCOMPARE(m_view->selectionModel()->selectedRows().size(), 4);
}

void tst_PlaylistListView::wheelIsSwallowed()
{
    // Even where the list cannot scroll, the wheel never reaches the parent.
    Fill(30);
    QScrollBar* bar = m_view->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    const QPoint position(40, 50);
    QWheelEvent wheel(position, m_view->viewport()->mapToGlobal(position), QPoint(), QPoint(0, 120),
        Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(m_view->viewport(), &wheel);
    QVERIFY(wheel.isAccepted());
    QVERIFY(m_parent->log.isEmpty());
    QCOMPARE(bar->value(), 0);
}

void tst_PlaylistListView::doubleClicks_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("y");
    QTest::addColumn<QStringList>("log");
    QTest::newRow("left on row 2")
        << int(Qt::LeftButton) << 2 * RowHeight + 5 << QStringList { "double 2" };
    QTest::newRow("right on row 2") << int(Qt::RightButton) << 2 * RowHeight + 5 << QStringList();
    QTest::newRow("left below the rows")
        << int(Qt::LeftButton) << 4 * RowHeight + 30 << QStringList();
}

void tst_PlaylistListView::doubleClicks()
{
    QFETCH(int, button);
    QFETCH(int, y);
    QFETCH(QStringList, log);
    Fill(4);
    QTest::mouseClick(m_view->viewport(), Qt::MouseButton(button), Qt::NoModifier, QPoint(40, y));
    QTest::mouseDClick(m_view->viewport(), Qt::MouseButton(button), Qt::NoModifier, QPoint(40, y));
    QCOMPARE(m_log, log);
}

void tst_PlaylistListView::selectedRow()
{
    Fill(5);
    m_view->clearSelection();
    QCOMPARE(m_view->GetSelectedRow(), -1);
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, Qt::NoModifier, RowPoint(3, 5));
    QCOMPARE(m_view->GetSelectedRow(), 3);
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, Qt::ControlModifier, RowPoint(1, 5));
    QCOMPARE(m_view->GetSelectedRow(), 1);
}

void tst_PlaylistListView::observers()
{
    Fill(2);
    Observer second(&m_log, "second ");
    Observer late(&m_log, "late ");
    second.onCall = [&] { m_view->AddEventObserver(&late); };
    m_view->AddEventObserver(&second);
    m_view->AddEventObserver(m_observer.get());
    m_view->AddEventObserver(nullptr);

    QTest::keyClick(m_view, Qt::Key_End);
    const QString end = QStringLiteral("key %1").arg(Qt::Key_End);
    QCOMPARE(m_log, QStringList({ end, "second " + end }));

    m_log.clear();
    second.onCall = nullptr;
    m_view->RemoveEventObserver(m_observer.get());
    QTest::keyClick(m_view, Qt::Key_Home);
    const QString home = QStringLiteral("key %1").arg(Qt::Key_Home);
    QCOMPARE(m_log, QStringList({ "second " + home, "late " + home }));
}

void tst_PlaylistListView::dropRows_data()
{
    QTest::addColumn<QPoint>("position");
    QTest::addColumn<int>("row");
    QTest::newRow("exactly 12 below row 2") << QPoint(40, 3 * RowHeight + 11) << 3;
    QTest::newRow("exactly 12 into row 3") << QPoint(40, 3 * RowHeight + 12) << 4;
    QTest::newRow("upper half of row 0 appends") << QPoint(40, 6) << 5;
    QTest::newRow("below the rows appends") << QPoint(40, 5 * RowHeight + 30) << 5;
}

void tst_PlaylistListView::dropRows()
{
    QFETCH(QPoint, position);
    QFETCH(int, row);
    Fill(5);
    QMimeData mime;
    mime.setUrls({ QUrl::fromLocalFile("/films/new.mkv") });
    QCOMPARE(Drop(mime, position), Qt::CopyAction);
    QCOMPARE(m_log, QStringList { QStringLiteral("file /films/new.mkv %1").arg(row) });
    QCOMPARE(Paths().indexOf("/films/new.mkv"), row);
}

void tst_PlaylistListView::dropFilesKeepsTheirOrder()
{
    Fill(3);
    QMimeData mime;
    mime.setUrls({ QUrl::fromLocalFile("/films/F1.mkv"), QUrl::fromLocalFile("/films/F 2.mkv"),
        QUrl::fromLocalFile(QString::fromUtf8("/films/F3ü.mkv")) });
    QCOMPARE(Drop(mime, RowPoint(0, 18)), Qt::CopyAction);
    QCOMPARE(m_log,
        QStringList({ QString::fromUtf8("file /films/F3ü.mkv 1"), "file /films/F 2.mkv 1",
            "file /films/F1.mkv 1" }));
}

void tst_PlaylistListView::moveOrCopy_data()
{
    QTest::addColumn<bool>("fromThisView");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<Qt::DropAction>("action");
    QTest::newRow("from this view") << true << Qt::KeyboardModifiers() << Qt::MoveAction;
    QTest::newRow("from this view with control")
        << true << Qt::KeyboardModifiers(Qt::ControlModifier) << Qt::CopyAction;
    QTest::newRow("from elsewhere with shift")
        << false << Qt::KeyboardModifiers(Qt::ShiftModifier) << Qt::MoveAction;
}

void tst_PlaylistListView::moveOrCopy()
{
    QFETCH(bool, fromThisView);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(Qt::DropAction, action);
    Fill(4);
    PlaylistItemData playing = m_model->index(1, 0).data().value<PlaylistItemData>();
    playing.SetActive(true);
    m_model->UpdateItem(m_model->index(1, 0), playing);
    m_view->dragFromThisView = fromThisView;

    // Rows 1 (playing) and 3 are dragged below row 2.
    const std::unique_ptr<QMimeData> mime(
        m_model->mimeData({ m_model->index(3, 0), m_model->index(1, 0) }));
    QCOMPARE(Drop(*mime, RowPoint(2, 18), modifiers), action);
    QCOMPARE(m_log, QStringList({ "file /3 3", "active /1 3" }));
    // The dragged rows are still there: the drag that reported a move removes them.
    QCOMPARE(Paths(), QStringList({ "/0", "/1", "/2", "/1", "/3", "/3" }));
}

void tst_PlaylistListView::dropMarkerOnOneRowAtMost()
{
    Fill(5);
    QMimeData mime;
    mime.setUrls({ QUrl::fromLocalFile("/films/new.mkv") });
    QVERIFY(Send<QDragEnterEvent>(mime, RowPoint(1, 18)));
    QCOMPARE(MarkedRows(), QList<int>());
    // The row 12 pixels above the cursor, if any.
    for (const auto& [point, rows] : QList<QPair<QPoint, QList<int>>> {
             { RowPoint(1, 6), { 0 } }, { RowPoint(0, 4), {} }, { RowPoint(4, 12), { 4 } } }) {
        Send<QDragMoveEvent>(mime, point);
        QCOMPARE(MarkedRows(), rows);
    }
    QDragLeaveEvent leave;
    QApplication::sendEvent(m_view->viewport(), &leave);
    QCOMPARE(MarkedRows(), QList<int>());

    // Coming back over the same row marks it again; a drop clears it.
    QVERIFY(Send<QDragEnterEvent>(mime, RowPoint(4, 12)));
    Send<QDragMoveEvent>(mime, RowPoint(4, 12));
    QCOMPARE(MarkedRows(), QList<int> { 4 });
    QVERIFY(Send<QDropEvent>(mime, RowPoint(2, 18), Qt::NoModifier));
    QCOMPARE(MarkedRows(), QList<int>());
    QCOMPARE(m_log, QStringList { "file /films/new.mkv 3" });
}

void tst_PlaylistListView::oddRowPayloads_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QStringList>("log");
    const QStringList nothing;
    // Foreign drags are left to the base, which takes none.
    QTest::newRow("plain text") << "text/plain" << QByteArray("/films/a.mkv") << nothing;
    QTest::newRow("odd entries around good ones")
        << RowsMimeType
        << QByteArray(R"({"name":"","array":true,"children":[)"
                      R"({"name":"","string":"/good1"},)"
                      R"({"name":"","int":"42"},)"
                      R"({"name":""},)"
                      R"({"name":"key","string":"/named"},)"
                      R"({"name":"","string":"/nested","children":[{"name":"","string":"/x"}]},)"
                      R"({"name":"","string":"/zero\u0000byte"},)"
                      R"({"name":"","string":"**/star"},)"
                      R"({"name":"","string":"*/good2"}]})")
        << QStringList({ "active /good2 2", "active */star 2", "file /good1 2" });
}

void tst_PlaylistListView::oddRowPayloads()
{
    QFETCH(QString, format);
    QFETCH(QByteArray, payload);
    QFETCH(QStringList, log);
    Fill(2);
    m_view->dragFromThisView = true;
    QMimeData mime;
    mime.setData(format, payload);
    QCOMPARE(Send<QDragEnterEvent>(mime, RowPoint(1, 18)), format == RowsMimeType);
    const Qt::DropAction action = Drop(mime, RowPoint(1, 18));
    QCOMPARE(m_log, log);
    // Nothing dropped: refused, so that a move cannot take the dragged rows away.
    QCOMPARE(action != Qt::IgnoreAction, !log.isEmpty());
    if (log.isEmpty())
        QCOMPARE(Paths(), QStringList({ "/0", "/1" }));
    QCOMPARE(MarkedRows(), QList<int>());
}

QTEST_MAIN(tst_PlaylistListView)
#include "tst_playlistlistview.moc"
