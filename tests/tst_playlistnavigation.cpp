#include "Gui/Reelkit/PlaylistController.h"
#include "PlaylistControllerTestSupport.h"

#include <QItemSelectionModel>
#include <QSet>
#include <QtTest>
#include <algorithm>
#include <cstdlib>
#include <memory>

using Tarvos::ioPath;
using Tarvos::Gui::PlaylistController;

namespace {

using Strategies = PlaylistController::Strategies;
const int Seq = PlaylistController::Sequential;
const int Shuffle = PlaylistController::Shuffle;
const int Next = PlaylistController::RewindNext;
const int Prev = PlaylistController::RewindPrev;
const int NextByStrategy = PlaylistController::StepNextByStrategy;
const int PrevByStrategy = PlaylistController::StepPrevByStrategy;

QList<int> Sorted(QList<int> rows)
{
    std::sort(rows.begin(), rows.end());
    return rows;
}

} // namespace

class tst_PlaylistNavigation : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void stepByOrder_data();
    void stepByOrder();
    void stepBySequentialStrategy();
    void stepsThatFindNothingStillRecordHistory();
    void stepToSelection();
    void stepToPersistentIndex();
    void switchNotifiesInOrder();
    void activeEntryIsScrolledTo();
    void rewindStates_data();
    void rewindStates();
    void repeatReportsRewindStates();

    void shuffleUsesRandModuloPoolSize();
    void shuffleHistoryStepsBack();
    void switchingToShuffleTakesOutTheActiveEntry();
    void addedFilesJoinTheShufflePool();
    void deletedFilesLeaveThePoolAndTheHistory();
    void historyEntryOfAMovedRowIsUsedUp();
    void sequentialEmptiesThePoolKeepsTheHistory();

private:
    // Steps n times by strategy and returns the rows that became active.
    QList<int> StepNext(int n);
    // Steps back by strategy for as long as that works; the rows it went to.
    QList<int> StepBackAll();

    std::unique_ptr<ControllerFixture> m_f;
};

void tst_PlaylistNavigation::init()
{
    m_f = std::make_unique<ControllerFixture>();
}

void tst_PlaylistNavigation::cleanup()
{
    m_f.reset();
}

QList<int> tst_PlaylistNavigation::StepNext(int n)
{
    QList<int> rows;
    while (rows.size() < n && m_f->controller->StepTo(NextByStrategy))
        rows << m_f->ActiveRow();
    return rows;
}

QList<int> tst_PlaylistNavigation::StepBackAll()
{
    QList<int> rows;
    while (m_f->controller->StepTo(PrevByStrategy))
        rows << m_f->ActiveRow();
    return rows;
}

void tst_PlaylistNavigation::stepByOrder_data()
{
    QTest::addColumn<int>("strategy");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("active");
    QTest::addColumn<bool>("repeat");
    QTest::addColumn<int>("step");
    QTest::addColumn<bool>("stepped");
    QTest::addColumn<int>("expected");

    const int next = PlaylistController::StepNextByOrder;
    const int prev = PlaylistController::StepPrevByOrder;
    QTest::newRow("next at the end") << Seq << 3 << 2 << false << next << false << 2;
    QTest::newRow("next at the end, repeat") << Seq << 3 << 2 << true << next << true << 0;
    QTest::newRow("prev at the start, repeat") << Seq << 3 << 0 << true << prev << true << 2;
    QTest::newRow("no active, next") << Seq << 3 << -1 << false << next << true << 0;
    QTest::newRow("no active, prev") << Seq << 3 << -1 << false << prev << true << 0;
    // Order steps ignore the strategy.
    QTest::newRow("shuffle, next at the end, repeat")
        << Shuffle << 3 << 2 << true << next << true << 0;
}

void tst_PlaylistNavigation::stepByOrder()
{
    QFETCH(int, strategy);
    QFETCH(int, count);
    QFETCH(int, active);
    QFETCH(bool, repeat);
    QFETCH(int, step);
    QFETCH(bool, stepped);
    QFETCH(int, expected);

    m_f->Fill(count);
    m_f->controller->SetRepeat(repeat);
    m_f->controller->SetStrategy(Strategies(strategy));
    m_f->controller->StepTo(m_f->Entry(active));
    QCOMPARE(m_f->controller->StepTo(step), stepped);
    QCOMPARE(m_f->ActiveRow(), expected);
}

void tst_PlaylistNavigation::stepBySequentialStrategy()
{
    m_f->Fill(3);
    QCOMPARE(StepNext(5), QList<int>({ 0, 1, 2 }));
    QCOMPARE(StepBackAll(), QList<int>({ 1, 0 }));
}

void tst_PlaylistNavigation::stepsThatFindNothingStillRecordHistory()
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

void tst_PlaylistNavigation::stepToSelection()
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
}

void tst_PlaylistNavigation::stepToPersistentIndex()
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

void tst_PlaylistNavigation::switchNotifiesInOrder()
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

void tst_PlaylistNavigation::activeEntryIsScrolledTo()
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

void tst_PlaylistNavigation::rewindStates_data()
{
    QTest::addColumn<int>("strategy");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("active");
    QTest::addColumn<bool>("repeat");
    QTest::addColumn<int>("states");

    QTest::newRow("no active") << Seq << 3 << -1 << true << 0;
    QTest::newRow("last") << Seq << 3 << 2 << false << Prev;
    QTest::newRow("first, repeat") << Seq << 3 << 0 << true << (Next | Prev);
    QTest::newRow("single, repeat") << Seq << 1 << 0 << true << 0;
    QTest::newRow("shuffle, single") << Shuffle << 1 << 0 << false << Next;
}

void tst_PlaylistNavigation::rewindStates()
{
    QFETCH(int, strategy);
    QFETCH(int, count);
    QFETCH(int, active);
    QFETCH(bool, repeat);
    QFETCH(int, states);

    m_f->Fill(count);
    m_f->controller->SetRepeat(repeat);
    m_f->controller->SetStrategy(Strategies(strategy));
    // Made active without a step, so that the shuffle history stays empty.
    m_f->controller->StepTo(m_f->Entry(active));
    QCOMPARE(m_f->controller->GetRewindStates(), states);
}

void tst_PlaylistNavigation::repeatReportsRewindStates()
{
    m_f->Fill(3);
    QVERIFY(m_f->controller->StepTo(2));
    m_f->Observe();
    m_f->controller->SetRepeat(true);
    m_f->controller->SetRepeat(true);
    m_f->controller->SetRepeat(false);
    QCOMPARE(m_f->log, QStringList({ "rewind 2", "rewind 3", "rewind 3", "rewind 2" }));
}

void tst_PlaylistNavigation::shuffleUsesRandModuloPoolSize()
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

void tst_PlaylistNavigation::shuffleHistoryStepsBack()
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

void tst_PlaylistNavigation::switchingToShuffleTakesOutTheActiveEntry()
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

void tst_PlaylistNavigation::addedFilesJoinTheShufflePool()
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

void tst_PlaylistNavigation::deletedFilesLeaveThePoolAndTheHistory()
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

void tst_PlaylistNavigation::historyEntryOfAMovedRowIsUsedUp()
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

void tst_PlaylistNavigation::sequentialEmptiesThePoolKeepsTheHistory()
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

QTEST_MAIN(tst_PlaylistNavigation)
#include "tst_playlistnavigation.moc"
