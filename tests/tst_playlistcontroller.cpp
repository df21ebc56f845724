#include "Gui/Reelkit/PlaylistController.h"
#include "PlaylistControllerTestSupport.h"
#include "host/MediaSourceInfo.h"
#include "host/Property.h"

#include <QItemSelectionModel>
#include <QPointer>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <cstdlib>
#include <glog/logging.h>
#include <memory>
#include <utility>
#include <vector>

using Tarvos::ioPath;
using Tarvos::Core::Property;
using Tarvos::Gui::PlaylistController;
using Tarvos::Gui::PlaylistItemData;
using Tarvos::Gui::PlaylistListView;
using Tarvos::Sarnet::MediaSourceInfo;

namespace {

using InfoPtr = boost::intrusive_ptr<const MediaSourceInfo>;
using Strategies = PlaylistController::Strategies;
const int Seq = PlaylistController::Sequential;
const int Shuffle = PlaylistController::Shuffle;
const int Next = PlaylistController::RewindNext;
const int Prev = PlaylistController::RewindPrev;
const int NextByStrategy = PlaylistController::StepNextByStrategy;
const int PrevByStrategy = PlaylistController::StepPrevByStrategy;
const int NoStep = -1000;

// Rewind states once the row is made active, then where one step goes from it.
struct StepRow
{
    int strategy;
    int count;
    int active;
    bool repeat;
    int states;
    int step;
    bool stepped;
    int expected;
};

QList<int> Sorted(QList<int> rows)
{
    std::sort(rows.begin(), rows.end());
    return rows;
}

// Collects what the logging library hands to its sinks as "severity file base: text".
class CapturingSink final : public google::LogSink
{
public:
    void send(google::LogSeverity severity, const char* fullFilename, const char* baseFilename, int,
        const google::LogMessageTime&, const char* message, size_t length) override
    {
        lines << QStringLiteral("%1 %2 %3: %4")
                     .arg(severity)
                     .arg(fullFilename, baseFilename, QString::fromUtf8(message, int(length)));
    }

    QStringList lines;
};

// One playlist child as the controller writes it.
Property Entry(const std::string& path, int audio, int video, bool active)
{
    Property entry;
    entry.SetArrayType();
    entry.SetChild("filename", path);
    entry.SetChild("audiostream", audio);
    entry.SetChild("videostream", video);
    if (active)
        entry.SetChild("active", true);
    return entry;
}

Property Tree(const std::vector<Property>& entries)
{
    Property root("playlist");
    root.SetArrayType();
    for (const Property& entry : entries)
        root.Add(entry);
    return root;
}

} // namespace

Q_DECLARE_METATYPE(StepRow)

class tst_PlaylistController : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void createAndRelease();
    void observers();
    void observerAddingFilesWhileNotified();

    void addFile();
    void deleteFile();
    void deleteSelectedFiles();
    void clear();
    void getFileAndSelectedFile();

    void drops_data();
    void drops();
    void trackSelection();

    void fileInfo();
    void fileInfoWhileObserversChangeTheList();
    void pathIndexFollowsTheList();
    void logLines();

    void stepByOrder_data();
    void stepByOrder();
    void stepBySequentialStrategy();
    void stepsThatFindNothingStillRecordHistory();
    void stepToSelection();
    void stepToPersistentIndex();
    void switchNotifiesInOrder();
    void activeEntryIsScrolledTo();
    void repeatReportsRewindStates();

    void shuffleUsesRandModuloPoolSize();
    void shuffleHistoryStepsBack();
    void switchingToShuffleTakesOutTheActiveEntry();
    void addedFilesJoinTheShufflePool();
    void deletedFilesLeaveThePoolAndTheHistory();
    void historyEntryOfAMovedRowIsUsedUp();
    void sequentialEmptiesThePoolKeepsTheHistory();

    void serialize();
    void deserializeOddEntries();

private:
    // The rows that a new piece of information for the path reaches.
    QList<int> Reached(const std::string& path);
    // Steps n times by strategy and returns the rows that became active.
    QList<int> StepNext(int n);
    // Steps back by strategy for as long as that works; the rows it went to.
    QList<int> StepBackAll();

    std::unique_ptr<ControllerFixture> m_f;
    QTemporaryDir m_logDir;
};

void tst_PlaylistController::initTestCase()
{
    QVERIFY(m_logDir.isValid());
    FLAGS_log_dir = m_logDir.path().toStdString();
    google::InitGoogleLogging("tst_playlistcontroller");
}

void tst_PlaylistController::cleanupTestCase()
{
    google::ShutdownGoogleLogging();
}

void tst_PlaylistController::init()
{
    m_f = std::make_unique<ControllerFixture>();
}

void tst_PlaylistController::cleanup()
{
    m_f.reset();
}

QList<int> tst_PlaylistController::Reached(const std::string& path)
{
    const InfoPtr info = Info(path, 1);
    m_f->controller->SetFileInfo(info);
    QList<int> rows;
    for (int row = 0; row < m_f->controller->GetItemCount(); ++row) {
        if (m_f->Record(row).GetInfo() == info)
            rows << row;
    }
    return rows;
}

void tst_PlaylistController::createAndRelease()
{
    QVERIFY(!PlaylistController::Create(nullptr));

    PlaylistListView view;
    boost::intrusive_ptr<PlaylistController> controller = PlaylistController::Create(&view);
    QPointer<QAbstractItemModel> model = view.model();
    controller->AddFile(ioPath("/a"), -1, false);
    controller.reset();
    // The model went with the controller, and the view no longer reports to it.
    QVERIFY(!model);
    QVERIFY(!view.model());
    QTest::keyClick(&view, Qt::Key_Delete);
}

void tst_PlaylistController::observers()
{
    RecordingObserver& first = m_f->Observe("1");
    m_f->Fill(2);
    QVERIFY(m_f->controller->StepTo(0));
    RecordingObserver& second = m_f->Observe("2");
    m_f->controller->AddEventObserver(&first);
    m_f->controller->AddEventObserver(nullptr);
    // Each newcomer hears the current states at once, and only once.
    QCOMPARE(m_f->log.first(), QString("1:rewind 0"));
    QCOMPARE(m_f->log.count("1:rewind 1"), 1);
    QCOMPARE(m_f->log.filter("2:"), QStringList({ "2:rewind 1" }));

    // Added and removed while a call is under way: the newcomer hears the
    // states at once but not that call, the one removed still hears it.
    RecordingObserver& late = m_f->Observe("late", false);
    first.onChanged = [&] {
        m_f->controller->AddEventObserver(&late);
        m_f->controller->RemoveEventObserver(&second);
    };
    m_f->log.clear();
    m_f->controller->OnPlaylistModelChanged();
    QCOMPARE(m_f->log, QStringList({ "1:changed", "late:rewind 1", "2:changed" }));
    m_f->log.clear();
    m_f->controller->RemoveEventObserver(&first);
    m_f->controller->OnPlaylistWidgetKeyPress(Qt::Key_A);
    QCOMPARE(m_f->log, QStringList({ "late:key 65" }));
}

void tst_PlaylistController::observerAddingFilesWhileNotified()
{
    m_f->Fill(2);
    RecordingObserver& host = m_f->Observe();
    m_f->Observe("o");
    bool added = false;
    host.onActive = [&](int) {
        if (!std::exchange(added, true))
            m_f->controller->AddFile(ioPath("/extra"), 0, false);
    };
    m_f->log.clear();

    QVERIFY(m_f->controller->StepTo(1));
    // The nested insertion runs to its end before the second observer hears
    // of the switch; the row it hears is the one reported before the insertion.
    QCOMPARE(m_f->log,
        QStringList({ "changed", "o:changed", "active 1", "changed", "o:changed", "changed",
            "o:changed", "rewind 2", "o:rewind 2", "o:active 1", "rewind 2", "o:rewind 2" }));
    QCOMPARE(m_f->Paths(), QStringList({ "/extra", "/0", "/1" }));
    QCOMPARE(m_f->ActiveRow(), 2);
    QCOMPARE(m_f->FlaggedRows(), QList<int>({ 2 }));
}

void tst_PlaylistController::addFile()
{
    m_f->Fill(2);
    QVERIFY(m_f->controller->StepTo(1));
    m_f->Observe();
    m_f->log.clear();
    PlaylistItemData record(ioPath("/x"));
    record.SetSelectedAudioStream(2);
    QCOMPARE(m_f->controller->AddFile(record, 5, true), -1);
    m_f->log.clear();
    QCOMPARE(m_f->controller->AddFile(record, 0, true), 0);
    // The empty row, the stored record, the old entry's flag, the new one's;
    // then the switch and the report of the addition itself.
    QCOMPARE(m_f->log,
        QStringList(
            { "changed", "changed", "changed", "changed", "active 0", "rewind 1", "rewind 1" }));
    QCOMPARE(m_f->FlaggedRows(), QList<int>({ 0 }));
    QCOMPARE(m_f->Record(0).GetSelectedAudioStream(), 2);
}

void tst_PlaylistController::deleteFile()
{
    m_f->Fill(3);
    QVERIFY(m_f->controller->StepTo(1));
    m_f->Observe();
    m_f->log.clear();
    m_f->controller->DeleteFile(3);
    m_f->controller->DeleteFile(1);
    // The active entry goes without an active-entry event.
    QCOMPARE(m_f->log, QStringList({ "changed", "rewind 0" }));
    QCOMPARE(m_f->Paths(), QStringList({ "/0", "/2" }));
    QCOMPARE(m_f->ActiveRow(), -1);
}

void tst_PlaylistController::deleteSelectedFiles()
{
    m_f->Fill(6);
    QVERIFY(m_f->controller->StepTo(5));
    QItemSelectionModel* selection = m_f->view->selectionModel();
    for (const int row : { 4, 0, 1, 3 })
        selection->select(m_f->Entry(row), QItemSelectionModel::Select);
    m_f->Observe();
    m_f->log.clear();
    QList<int> removed;
    connect(m_f->view->model(), &QAbstractItemModel::rowsAboutToBeRemoved,
        [&](const QModelIndex&, int first, int last) {
            QCOMPARE(first, last);
            removed << first;
        });

    m_f->controller->DeleteSelectedFiles();
    // Always the last row of the selection first, one row at a time.
    QCOMPARE(removed, QList<int>({ 3, 1, 0, 1 }));
    QCOMPARE(m_f->Paths(), QStringList({ "/2", "/5" }));
    QCOMPARE(m_f->log, QStringList({ "changed", "changed", "changed", "changed", "rewind 2" }));
    QCOMPARE(m_f->ActiveRow(), 1);
}

void tst_PlaylistController::clear()
{
    m_f->Observe();
    m_f->Fill(4);
    m_f->controller->SetStrategy(PlaylistController::Shuffle);
    QVERIFY(m_f->controller->StepTo(0));
    QVERIFY(m_f->controller->StepTo(1));
    m_f->log.clear();
    m_f->controller->Clear();
    // All rows in one removal.
    QCOMPARE(m_f->log, QStringList({ "changed", "rewind 0" }));

    // The history went with the rows: nothing to step back to.
    m_f->Fill(2);
    QVERIFY(m_f->controller->StepTo(PlaylistController::StepNextByStrategy));
    QCOMPARE(m_f->controller->GetRewindStates(), PlaylistController::RewindNext);
}

void tst_PlaylistController::getFileAndSelectedFile()
{
    m_f->Fill(3);
    PlaylistItemData out(ioPath("/untouched"));
    QVERIFY(!m_f->controller->GetFile(out));
    QCOMPARE(out.GetName(), std::string("/untouched"));
    // The first of the selection, not the last.
    m_f->view->selectionModel()->select(m_f->Entry(1), QItemSelectionModel::Select);
    m_f->view->selectionModel()->select(m_f->Entry(0), QItemSelectionModel::Select);
    QVERIFY(m_f->controller->GetSelectedFile(out));
    QCOMPARE(out.GetIndex().row(), 1);
}

void tst_PlaylistController::drops_data()
{
    QTest::addColumn<bool>("activeFile");
    QTest::addColumn<bool>("insert");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("active");
    QTest::addColumn<QString>("activePath");

    QTest::newRow("active file, inserted at the end") << true << true << 2 << 2 << "/dropped";
    QTest::newRow("active file, not inserted, at the end") << true << false << 2 << -1 << "";
    QTest::newRow("file, inserted at the start") << false << true << 0 << 1 << "/0";
}

void tst_PlaylistController::drops()
{
    QFETCH(bool, activeFile);
    QFETCH(bool, insert);
    QFETCH(int, row);
    QFETCH(int, active);
    QFETCH(QString, activePath);

    m_f->Fill(2);
    QVERIFY(m_f->controller->StepTo(0));
    RecordingObserver& host = m_f->Observe();
    m_f->Observe("o");
    if (insert) {
        host.onDropped = [&](const std::string& path, int at) {
            m_f->controller->AddFile(ioPath(path), at, false);
        };
    }
    m_f->log.clear();

    if (activeFile)
        m_f->controller->OnActiveFileDropped("/dropped", row);
    else
        m_f->controller->OnFileDropped("/dropped", row);
    // Every observer hears of the drop before the entry becomes active.
    QCOMPARE(m_f->log.first(), QStringLiteral("dropped /dropped %1").arg(row));
    const int heard = m_f->log.indexOf(QStringLiteral("o:dropped /dropped %1").arg(row));
    QVERIFY(heard > 0);
    if (activeFile)
        QVERIFY(m_f->log.indexOf(QStringLiteral("active %1").arg(active)) > heard);
    else
        QVERIFY(m_f->log.filter("active").isEmpty());
    QCOMPARE(m_f->ActiveRow(), active);
    if (active >= 0)
        QCOMPARE(m_f->Path(active), activePath);
    QCOMPARE(m_f->FlaggedRows(), active >= 0 ? QList<int>({ active }) : QList<int>());
}

void tst_PlaylistController::trackSelection()
{
    m_f->Fill(2);
    QVERIFY(m_f->controller->StepTo(1));
    m_f->Observe();
    m_f->log.clear();

    // Another entry: stored, nobody told.
    m_f->controller->OnPlaylistWidgetAudioTrackSelected(m_f->Entry(0), 3);
    QCOMPARE(m_f->log, QStringList({ "changed" }));
    QCOMPARE(m_f->Record(0).GetSelectedAudioStream(), 3);

    // The active entry (its audio track is part of the road of a file).
    m_f->log.clear();
    m_f->controller->OnPlaylistWidgetVideoTrackSelected(m_f->Entry(1), 2);
    QCOMPARE(m_f->log, QStringList({ "changed", "video 2" }));
    QCOMPARE(m_f->Record(1).GetSelectedVideoStream(), 2);
}

void tst_PlaylistController::fileInfo()
{
    for (const char* path : { "/a", "/b", "dvd://E:/:title=1", "/a" })
        m_f->controller->AddFile(ioPath(path), -1, false);
    QVERIFY(m_f->controller->StepTo(3));
    PlaylistItemData record = m_f->Record(0);
    record.SetSelectedAudioStream(1);
    QVERIFY(m_f->controller->UpdateFile(record));
    m_f->Observe();
    m_f->log.clear();
    const InfoPtr info = Info("/a", 5000000);
    m_f->controller->SetFileInfo(info);
    QCOMPARE(m_f->log, QStringList({ "changed", "changed" }));
    for (const int row : { 0, 3 }) {
        QCOMPARE(m_f->Record(row).GetInfo(), info);
        QCOMPARE(m_f->Record(row).GetFileDuration(), Tarvos::avTime(5000000));
    }
    // Everything else of the entries stays.
    QCOMPARE(m_f->Record(0).GetSelectedAudioStream(), 1);
    QVERIFY(m_f->Record(3).GetActive());
    QVERIFY(!m_f->Record(1).GetInfo());

    // Information never makes a restored DVD entry a DVD title.
    m_f->controller->SetFileInfo(Info("dvd://E:/:title=1", 1800000000));
    QVERIFY(!m_f->Record(2).IsDVD());
    QCOMPARE(m_f->Record(2).GetName(), std::string("dvd://E:/:title=1"));

    // A failure drops the information but not the duration, and stays.
    m_f->controller->SetFileInfoFailed("/a");
    QVERIFY(!m_f->Record(3).IsValid());
    QVERIFY(!m_f->Record(3).GetInfo());
    QCOMPARE(m_f->Record(3).GetFileDuration(), Tarvos::avTime(5000000));
    m_f->controller->SetFileInfo(Info("/a", 7));
    QVERIFY(!m_f->Record(0).IsValid());
    QCOMPARE(m_f->Record(0).GetFileDuration(), Tarvos::avTime(7));
}

void tst_PlaylistController::fileInfoWhileObserversChangeTheList()
{
    // The walk goes on from the row after the one just updated, over the list
    // as the observers left it.
    RecordingObserver& observer = m_f->Observe();
    for (const char* path : { "/a", "/b", "/a", "/a", "/c" })
        m_f->controller->AddFile(ioPath(path), -1, false);

    int updates = 0;
    bool edited = false;
    observer.onChanged = [&] {
        if (std::exchange(edited, true))
            return;
        // Above the walk: the new "/a" is never visited, the first one is visited again.
        m_f->controller->AddFile(ioPath("/a"), 0, false);
        // Ahead of the walk: renamed rows are found, removed ones are not.
        PlaylistItemData renamed = m_f->Record(5);
        renamed.SetFilename("/a");
        QVERIFY(m_f->controller->UpdateFile(renamed));
        m_f->controller->DeleteFile(4);
    };
    QObject::connect(
        m_f->view->model(), &QAbstractItemModel::dataChanged, [&](const QModelIndex& index) {
            if (m_f->Record(index.row()).GetInfo())
                ++updates;
        });
    const QList<int> reached = Reached("/a");

    QCOMPARE(m_f->Paths(), QStringList({ "/a", "/a", "/b", "/a", "/a" }));
    QCOMPARE(reached, QList<int>({ 1, 3, 4 }));
    QCOMPARE(updates, 4);
}

void tst_PlaylistController::pathIndexFollowsTheList()
{
    // Each change comes after a look-up has built the index of paths.
    for (const char* path : { "/a", "/b" })
        m_f->controller->AddFile(ioPath(path), -1, false);
    QCOMPARE(Reached("/a"), QList<int>({ 0 }));
    m_f->controller->AddFile(ioPath("/a"), 0, false);
    QCOMPARE(Reached("/a"), QList<int>({ 0, 1 }));
    m_f->controller->AddFile(ioPath("/a"), -1, false);
    QCOMPARE(Reached("/a"), QList<int>({ 0, 1, 3 }));
    PlaylistItemData renamed = m_f->Record(2);
    renamed.SetFilename("/a");
    QVERIFY(m_f->controller->UpdateFile(renamed));
    QCOMPARE(Reached("/a"), QList<int>({ 0, 1, 2, 3 }));
    QVERIFY(m_f->view->model()->removeRows(2, 2));
    QCOMPARE(Reached("/a"), QList<int>({ 0, 1 }));
    QVERIFY(m_f->view->model()->removeRow(0));
    QCOMPARE(Reached("/a"), QList<int>({ 0 }));
}

void tst_PlaylistController::logLines()
{
    CapturingSink sink;
    google::AddLogSink(&sink);
    m_f->controller->SetFileInfo(Info("/media/clip one.mkv", 3723500000));
    m_f->controller->SetFileInfoFailed("/media/broken.avi");
    google::RemoveLogSink(&sink);

    const QString texts[] = {
        "Media source info is received for file [/media/clip one.mkv]; the duration of this "
        "file is 1:02:03.500000",
        "Media source info extraction failed for file [/media/broken.avi]",
    };
    const QString source = QStringLiteral("%1 Gui/Reelkit/PlaylistController.cpp "
                                          "PlaylistController.cpp: ")
                               .arg(google::GLOG_INFO);
    QCOMPARE(sink.lines, QStringList({ source + texts[0], source + texts[1] }));
}

QList<int> tst_PlaylistController::StepNext(int n)
{
    QList<int> rows;
    while (rows.size() < n && m_f->controller->StepTo(NextByStrategy))
        rows << m_f->ActiveRow();
    return rows;
}

QList<int> tst_PlaylistController::StepBackAll()
{
    QList<int> rows;
    while (m_f->controller->StepTo(PrevByStrategy))
        rows << m_f->ActiveRow();
    return rows;
}

void tst_PlaylistController::stepByOrder_data()
{
    QTest::addColumn<StepRow>("row");
    const int next = PlaylistController::StepNextByOrder;
    const int prev = PlaylistController::StepPrevByOrder;
    QTest::newRow("next at the end") << StepRow { Seq, 3, 2, false, Prev, next, false, 2 };
    QTest::newRow("next at the end, repeat")
        << StepRow { Seq, 3, 2, true, Next | Prev, next, true, 0 };
    QTest::newRow("prev at the start, repeat")
        << StepRow { Seq, 3, 0, true, Next | Prev, prev, true, 2 };
    QTest::newRow("no active, next") << StepRow { Seq, 3, -1, true, 0, next, true, 0 };
    QTest::newRow("no active, prev") << StepRow { Seq, 3, -1, false, 0, prev, true, 0 };
    QTest::newRow("single, repeat") << StepRow { Seq, 1, 0, true, 0, NoStep, false, 0 };
    QTest::newRow("shuffle, single") << StepRow { Shuffle, 1, 0, false, Next, NoStep, false, 0 };
    // Order steps ignore the strategy.
    QTest::newRow("shuffle, next at the end, repeat")
        << StepRow { Shuffle, 3, 2, true, Next, next, true, 0 };
}

void tst_PlaylistController::stepByOrder()
{
    QFETCH(StepRow, row);
    m_f->Fill(row.count);
    m_f->controller->SetRepeat(row.repeat);
    m_f->controller->SetStrategy(Strategies(row.strategy));
    // Made active without a step, so that the shuffle history stays empty.
    m_f->controller->StepTo(m_f->Entry(row.active));
    QCOMPARE(m_f->controller->GetRewindStates(), row.states);
    if (row.step != NoStep) {
        QCOMPARE(m_f->controller->StepTo(row.step), row.stepped);
        QCOMPARE(m_f->ActiveRow(), row.expected);
    }
}

void tst_PlaylistController::stepBySequentialStrategy()
{
    m_f->Fill(3);
    QCOMPARE(StepNext(5), QList<int>({ 0, 1, 2 }));
    QCOMPARE(StepBackAll(), QList<int>({ 1, 0 }));
}

void tst_PlaylistController::stepsThatFindNothingStillRecordHistory()
{
    m_f->Fill(3);
    m_f->controller->SetStrategy(PlaylistController::Shuffle);
    QVERIFY(!m_f->controller->StepTo(-7));
    QVERIFY(m_f->controller->StepTo(1));
    m_f->Observe();
    m_f->log.clear();
    // No entry there, and nothing is told, yet the active entry went to the history.
    QVERIFY(!m_f->controller->StepTo(3));
    QCOMPARE(m_f->log, QStringList());
    // Any other negative code makes the active entry active again.
    QVERIFY(m_f->controller->StepTo(-7));
    QCOMPARE(m_f->log.filter("active"), QStringList({ "active 1" }));
    QVERIFY(m_f->controller->StepTo(2));
    QCOMPARE(StepBackAll(), QList<int>({ 1, 1, 1 }));
}

void tst_PlaylistController::stepToSelection()
{
    m_f->Fill(4);
    QItemSelectionModel* selection = m_f->view->selectionModel();
    // The view's selected row is the last of the selection.
    for (const int row : { 0, 3, 2 })
        selection->select(m_f->Entry(row), QItemSelectionModel::Select);
    QVERIFY(m_f->controller->StepTo(PlaylistController::StepToSelection));
    QCOMPARE(m_f->ActiveRow(), 2);

    selection->clearSelection();
    QVERIFY(m_f->controller->StepTo(PlaylistController::StepToSelection));
    QCOMPARE(m_f->ActiveRow(), 2);
    selection->select(m_f->Entry(0), QItemSelectionModel::Select);
    QVERIFY(m_f->controller->StepTo(PlaylistController::StepToSelection));
    QCOMPARE(m_f->ActiveRow(), 0);
}

void tst_PlaylistController::stepToPersistentIndex()
{
    m_f->Fill(3);
    m_f->controller->SetStrategy(PlaylistController::Shuffle);
    QVERIFY(!m_f->controller->StepTo(QPersistentModelIndex()));
    QVERIFY(m_f->controller->StepTo(m_f->Entry(1)));
    QVERIFY(m_f->controller->StepTo(m_f->Entry(2)));
    QCOMPARE(m_f->ActiveRow(), 2);
    // Neither the history nor the pool saw those steps.
    QCOMPARE(m_f->controller->GetRewindStates(), Next);
    QCOMPARE(Sorted(StepNext(3)), QList<int>({ 0, 1, 2 }));
}

void tst_PlaylistController::switchNotifiesInOrder()
{
    m_f->Fill(3);
    m_f->Observe("1");
    m_f->Observe("2");
    QVERIFY(m_f->controller->StepTo(0));
    // The old entry loses its flag, the new one gets it, then the observers
    // hear of it; the same entry again goes through all of it once more.
    for (int i = 0; i < 2; ++i) {
        m_f->log.clear();
        QVERIFY(m_f->controller->StepTo(1));
        QCOMPARE(m_f->log,
            QStringList({ "1:changed", "2:changed", "1:changed", "2:changed", "1:active 1",
                "2:active 1", "1:rewind 3", "2:rewind 3" }));
        QCOMPARE(m_f->FlaggedRows(), QList<int>({ 1 }));
    }
}

void tst_PlaylistController::activeEntryIsScrolledTo()
{
    m_f->Fill(40);
    QVERIFY(QTest::qWaitForWindowExposed(m_f->view.get()));
    QAbstractItemView* view = m_f->view.get();
    const auto visible = [view](int row) {
        return view->viewport()->rect().contains(view->visualRect(view->model()->index(row, 0)));
    };
    QVERIFY(!visible(39));
    QVERIFY(m_f->controller->StepTo(39));
    QVERIFY(visible(39));
    m_f->controller->SetRepeat(true);
    QVERIFY(m_f->controller->StepTo(PlaylistController::StepNextByOrder));
    QVERIFY(visible(0));
}

void tst_PlaylistController::repeatReportsRewindStates()
{
    m_f->Fill(3);
    QVERIFY(m_f->controller->StepTo(2));
    m_f->Observe();
    m_f->controller->SetRepeat(true);
    m_f->controller->SetRepeat(true);
    m_f->controller->SetRepeat(false);
    QCOMPARE(m_f->log, QStringList({ "rewind 2", "rewind 3", "rewind 3", "rewind 2" }));
}

void tst_PlaylistController::shuffleUsesRandModuloPoolSize()
{
    m_f->Fill(5);
    m_f->controller->SetStrategy(PlaylistController::Shuffle);

    // The pool keeps list order; each pick takes out the entry at rand() % size.
    // A used-up pool starts a new cycle of all rows, repeat or not.
    std::srand(2024);
    QList<int> expected;
    for (int cycle = 0; cycle < 2; ++cycle) {
        QList<int> pool { 0, 1, 2, 3, 4 };
        while (!pool.isEmpty())
            expected << pool.takeAt(std::rand() % pool.size());
    }

    std::srand(2024);
    QCOMPARE(StepNext(10), expected);
}

void tst_PlaylistController::shuffleHistoryStepsBack()
{
    m_f->Fill(5);
    m_f->controller->SetStrategy(PlaylistController::Shuffle);
    QVERIFY(!m_f->controller->StepTo(PrevByStrategy));
    const QList<int> played = StepNext(3);
    QCOMPARE(m_f->controller->GetRewindStates(), Next | Prev);

    QCOMPARE(StepBackAll(), QList<int>({ played.at(1), played.at(0) }));
    QCOMPARE(m_f->ActiveRow(), played.at(0));
    QCOMPARE(m_f->controller->GetRewindStates(), Next);

    // Stepping back did not put the entries back into the pool.
    QCOMPARE(Sorted(StepNext(2) + played), QList<int>({ 0, 1, 2, 3, 4 }));
}

void tst_PlaylistController::switchingToShuffleTakesOutTheActiveEntry()
{
    m_f->Fill(3);
    QVERIFY(m_f->controller->StepTo(1));
    m_f->Observe();
    m_f->log.clear();

    m_f->controller->SetStrategy(PlaylistController::Shuffle);
    m_f->controller->SetStrategy(PlaylistController::Shuffle);
    QCOMPARE(m_f->log, QStringList({ "changed", "changed", "active 1", "rewind 3", "rewind 3" }));
    std::srand(7);
    QList<int> pool { 0, 2 };
    const int first = pool.takeAt(std::rand() % 2);
    std::srand(7);
    QCOMPARE(StepNext(2), QList<int>({ first, pool.first() }));
}

void tst_PlaylistController::addedFilesJoinTheShufflePool()
{
    m_f->Fill(2);
    m_f->controller->SetStrategy(PlaylistController::Shuffle);
    QCOMPARE(StepNext(2).size(), 2);
    // The used-up pool now holds only the new file, wherever it went.
    m_f->controller->AddFile(ioPath("/new"), 0, false);
    QVERIFY(m_f->controller->StepTo(NextByStrategy));
    QCOMPARE(m_f->Path(m_f->ActiveRow()), QString("/new"));
    QCOMPARE(Sorted(StepNext(3)), QList<int>({ 0, 1, 2 }));
}

void tst_PlaylistController::deletedFilesLeaveThePoolAndTheHistory()
{
    m_f->Fill(5);
    m_f->controller->SetStrategy(PlaylistController::Shuffle);
    QStringList played;
    for (const int row : StepNext(3))
        played << m_f->Path(row);
    QStringList unplayed = m_f->Paths();
    for (const QString& path : played)
        unplayed.removeOne(path);

    // The history holds X and Y, the pool the two unplayed files.
    m_f->controller->DeleteFile(m_f->Paths().indexOf(played.at(1)));
    m_f->controller->DeleteFile(m_f->Paths().indexOf(unplayed.at(0)));
    QCOMPARE(m_f->controller->GetRewindStates(), Next | Prev);
    QVERIFY(m_f->controller->StepTo(NextByStrategy));
    QCOMPARE(m_f->Path(m_f->ActiveRow()), unplayed.at(1));

    QStringList back;
    for (const int row : StepBackAll())
        back << m_f->Path(row);
    QCOMPARE(back, QStringList({ played.at(2), played.at(0) }));
}

void tst_PlaylistController::historyEntryOfAMovedRowIsUsedUp()
{
    m_f->Fill(4);
    m_f->controller->SetStrategy(PlaylistController::Shuffle);
    for (const int row : { 0, 1, 2 })
        QVERIFY(m_f->controller->StepTo(row));
    // A drag that moves row 1 re-inserts it and then removes the original row.
    m_f->controller->AddFile(ioPath("/1"), 4, false);
    QVERIFY(m_f->view->model()->removeRow(1));
    QCOMPARE(m_f->Paths(), QStringList({ "/0", "/2", "/3", "/1" }));

    QCOMPARE(m_f->controller->GetRewindStates(), Next | Prev);
    QVERIFY(!m_f->controller->StepTo(PrevByStrategy));
    QCOMPARE(m_f->Path(m_f->ActiveRow()), QString("/2"));
    QVERIFY(m_f->controller->StepTo(PrevByStrategy));
    QCOMPARE(m_f->Path(m_f->ActiveRow()), QString("/0"));
    QCOMPARE(m_f->controller->GetRewindStates(), Next);
}

void tst_PlaylistController::sequentialEmptiesThePoolKeepsTheHistory()
{
    m_f->Fill(3);
    m_f->controller->SetStrategy(PlaylistController::Shuffle);
    for (const int row : { 0, 1, 2 })
        QVERIFY(m_f->controller->StepTo(row));
    // The pool is used up; leaving shuffle empties it, coming back refills it.
    m_f->controller->SetStrategy(PlaylistController::Sequential);
    m_f->controller->SetStrategy(PlaylistController::Shuffle);
    const QList<int> rows = StepNext(2);
    QCOMPARE(QSet<int>(rows.begin(), rows.end()), QSet<int>({ 0, 1 }));

    m_f->controller->SetStrategy(PlaylistController::Sequential);
    m_f->controller->SetStrategy(PlaylistController::Shuffle);
    // Each switch back to shuffle re-activated the playing entry through the history.
    QCOMPARE(StepBackAll(), QList<int>({ rows.at(1), rows.at(0), 2, 2, 1, 0 }));
}

void tst_PlaylistController::serialize()
{
    m_f->Fill(3);
    QVERIFY(m_f->controller->StepTo(1));
    PlaylistItemData record = m_f->Record(2);
    record.SetSelectedAudioStream(1);
    record.SetSelectedVideoStream(0);
    QVERIFY(m_f->controller->UpdateFile(record));
    m_f->controller->SetFileInfo(Info("/0", 100));
    // Names, key order, value types and array marks all count.
    QCOMPARE(m_f->controller->Serialize(),
        Tree({ Entry("/0", -1, -1, false), Entry("/1", -1, -1, true), Entry("/2", 1, 0, false) }));
}

void tst_PlaylistController::deserializeOddEntries()
{
    Property noName;
    noName.SetChild("audiostream", 1);
    noName.SetChild("active", true);
    Property falseActive;
    falseActive.SetChild("filename", "/marked");
    falseActive.SetChild("active", false);
    Property wrongTypes;
    wrongTypes.SetChild("filename", 42);
    wrongTypes.SetChild("audiostream", "7");
    wrongTypes.SetChild("videostream", "seven");
    Property cut;
    cut.SetChild("filename", "/cut");
    cut.SetChild("audiostream", (std::int64_t(1) << 32) + 5);
    cut.SetChild("videostream", true);

    Property tree("anything");
    for (const Property* entry : { &noName, &falseActive, &wrongTypes, &cut })
        tree.Add(*entry);
    tree.Add(Entry("dvd://E:/:title=2", -1, -1, false));
    const Property copy = tree;
    m_f->Fill(1);
    // Appended to what is there; the tree is only read.
    QCOMPARE(m_f->controller->Deserialize(tree), 5);
    QCOMPARE(tree, copy);
    QCOMPARE(m_f->Paths(), QStringList({ "/0", "/marked", "42", "/cut", "dvd://E:/:title=2" }));
    QCOMPARE(m_f->ActiveRow(), 1);
    QCOMPARE(m_f->Record(2).GetSelectedAudioStream(), 7);
    QCOMPARE(m_f->Record(2).GetSelectedVideoStream(), 0);
    QCOMPARE(m_f->Record(3).GetSelectedAudioStream(), 5);
    QCOMPARE(m_f->Record(3).GetSelectedVideoStream(), 1);
    QVERIFY(!m_f->Record(4).IsDVD());

    // Several marked entries: the last one wins.
    Property twice = Tree({ Entry("/x", -1, -1, true), Entry("/y", -1, -1, true) });
    QCOMPARE(m_f->controller->Deserialize(twice), 7);
    QCOMPARE(m_f->ActiveRow(), 6);
    QCOMPARE(m_f->FlaggedRows(), QList<int>({ 6 }));
}

QTEST_MAIN(tst_PlaylistController)
#include "tst_playlistcontroller.moc"
