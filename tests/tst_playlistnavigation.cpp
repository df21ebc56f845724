#include "Gui/Reelkit/PlaylistController.h"
#include "Gui/Reelkit/PlaylistModel.h"
#include "PlaylistControllerTestSupport.h"
#include "PlaylistModelTester.h"

#include <QItemSelectionModel>
#include <QSet>
#include <QtTest>
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <memory>

using Tarvos::ioPath;
using Tarvos::Gui::PlaylistController;

namespace {

using Strategies = PlaylistController::Strategies;
const int Next = PlaylistController::RewindNext;
const int Prev = PlaylistController::RewindPrev;

} // namespace

class tst_PlaylistNavigation : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void stepCodes();
    void stepByOrder_data();
    void stepByOrder();
    void stepByOrderWithoutActiveEntry();
    void stepBySequentialStrategy();
    void stepToRowOutsideTheList();
    void otherNegativeStepReactivates();
    void stepToSelection();
    void stepToPersistentIndex();
    void switchNotifiesInOrder();
    void activeFlagFollowsTheActiveEntry();
    void activeEntryIsScrolledTo();
    void rewindStates_data();
    void rewindStates();
    void repeatReportsRewindStates();
    void deletingTheActiveRow();

    void shuffleCycles();
    void shuffleIgnoresRepeat();
    void shuffleUsesRandModuloPoolSize();
    void shuffleHistoryStepsBack();
    void switchingToShuffleTakesOutTheActiveEntry();
    void stepToRowLeavesTheShufflePool();
    void addedFilesJoinTheShufflePool();
    void deletedFilesLeaveThePoolAndTheHistory();
    void historyEntryOfAMovedRowIsUsedUp();
    void sequentialEmptiesThePoolKeepsTheHistory();
    void historyIsUnbounded();

private:
    // Steps n times by strategy and returns the rows that became active.
    QList<int> StepNext(int n);

    std::unique_ptr<ControllerFixture> m_f;
    std::unique_ptr<PlaylistModelTester> m_tester;
    QStringList m_log;
};

void tst_PlaylistNavigation::init()
{
    m_log.clear();
    m_f = std::make_unique<ControllerFixture>();
    m_tester = std::make_unique<PlaylistModelTester>(m_f->view->model());
}

void tst_PlaylistNavigation::cleanup()
{
    m_tester.reset();
    m_f.reset();
}

QList<int> tst_PlaylistNavigation::StepNext(int n)
{
    QList<int> rows;
    for (int i = 0; i < n; ++i) {
        if (!m_f->controller->StepTo(PlaylistController::StepNextByStrategy))
            return rows;
        rows << m_f->ActiveRow();
    }
    return rows;
}

void tst_PlaylistNavigation::stepCodes()
{
    QCOMPARE(PlaylistController::StepNextByStrategy, -1);
    QCOMPARE(PlaylistController::StepPrevByStrategy, -2);
    QCOMPARE(PlaylistController::StepNextByOrder, -3);
    QCOMPARE(PlaylistController::StepPrevByOrder, -4);
    QCOMPARE(PlaylistController::StepToSelection, -5);
    QCOMPARE(Next, 1);
    QCOMPARE(Prev, 2);
    QCOMPARE(int(PlaylistController::Sequential), 0);
    QCOMPARE(int(PlaylistController::Shuffle), 1);
    QCOMPARE(m_f->controller->GetStrategy(), PlaylistController::Sequential);
    QVERIFY(!m_f->controller->GetRepeat());
}

void tst_PlaylistNavigation::stepByOrder_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("active");
    QTest::addColumn<bool>("repeat");
    QTest::addColumn<int>("step");
    QTest::addColumn<bool>("stepped");
    QTest::addColumn<int>("expected");

    const int next = PlaylistController::StepNextByOrder;
    const int prev = PlaylistController::StepPrevByOrder;
    QTest::newRow("next in the middle") << 3 << 1 << false << next << true << 2;
    QTest::newRow("next at the end") << 3 << 2 << false << next << false << 2;
    QTest::newRow("next at the end, repeat") << 3 << 2 << true << next << true << 0;
    QTest::newRow("prev in the middle") << 3 << 1 << false << prev << true << 0;
    QTest::newRow("prev at the start") << 3 << 0 << false << prev << false << 0;
    QTest::newRow("prev at the start, repeat") << 3 << 0 << true << prev << true << 2;
    QTest::newRow("one row, next, repeat") << 1 << 0 << true << next << true << 0;
    QTest::newRow("one row, prev, repeat") << 1 << 0 << true << prev << true << 0;
    QTest::newRow("one row, next") << 1 << 0 << false << next << false << 0;
}

void tst_PlaylistNavigation::stepByOrder()
{
    QFETCH(int, count);
    QFETCH(int, active);
    QFETCH(bool, repeat);
    QFETCH(int, step);
    QFETCH(bool, stepped);
    QFETCH(int, expected);

    m_f->Fill(count);
    m_f->controller->SetRepeat(repeat);
    QVERIFY(m_f->controller->StepTo(active));
    // Order steps ignore the strategy.
    for (const Strategies strategy :
        { PlaylistController::Sequential, PlaylistController::Shuffle }) {
        m_f->controller->SetStrategy(strategy);
        QVERIFY(m_f->controller->StepTo(active));
        QCOMPARE(m_f->controller->StepTo(step), stepped);
        QCOMPARE(m_f->ActiveRow(), expected);
    }
}

void tst_PlaylistNavigation::stepByOrderWithoutActiveEntry()
{
    QVERIFY(!m_f->controller->StepTo(PlaylistController::StepNextByOrder));
    QVERIFY(!m_f->controller->StepTo(PlaylistController::StepPrevByOrder));
    m_f->Fill(3);
    QVERIFY(m_f->controller->StepTo(PlaylistController::StepNextByOrder));
    QCOMPARE(m_f->ActiveRow(), 0);
    m_f->controller->DeleteFile(0);
    QCOMPARE(m_f->ActiveRow(), -1);
    QVERIFY(m_f->controller->StepTo(PlaylistController::StepPrevByOrder));
    QCOMPARE(m_f->ActiveRow(), 0);
    QCOMPARE(m_f->Path(0), QString("/1"));
}

void tst_PlaylistNavigation::stepBySequentialStrategy()
{
    m_f->Fill(3);
    QCOMPARE(StepNext(5), QList<int>({ 0, 1, 2 }));
    QVERIFY(m_f->controller->StepTo(PlaylistController::StepPrevByStrategy));
    QCOMPARE(m_f->ActiveRow(), 1);
    m_f->controller->SetRepeat(true);
    QCOMPARE(StepNext(3), QList<int>({ 2, 0, 1 }));
    QVERIFY(m_f->controller->StepTo(PlaylistController::StepPrevByStrategy));
    QVERIFY(m_f->controller->StepTo(PlaylistController::StepPrevByStrategy));
    QCOMPARE(m_f->ActiveRow(), 2);
}

void tst_PlaylistNavigation::stepToRowOutsideTheList()
{
    m_f->Fill(3);
    m_f->controller->SetStrategy(PlaylistController::Shuffle);
    QVERIFY(m_f->controller->StepTo(1));
    RecordingObserver observer(&m_log, QString());
    m_f->controller->AddEventObserver(&observer);
    m_log.clear();
    // No entry there, and nothing is told, yet the active entry went to the history.
    QVERIFY(!m_f->controller->StepTo(3));
    QVERIFY(!m_f->controller->StepTo(1000));
    QCOMPARE(m_log, QStringList());
    QCOMPARE(m_f->ActiveRow(), 1);
    QVERIFY(m_f->controller->StepTo(2));
    for (const int expected : { 1, 1, 1 }) {
        QVERIFY(m_f->controller->StepTo(PlaylistController::StepPrevByStrategy));
        QCOMPARE(m_f->ActiveRow(), expected);
    }
    QVERIFY(!m_f->controller->StepTo(PlaylistController::StepPrevByStrategy));
    m_f->controller->RemoveEventObserver(&observer);
}

void tst_PlaylistNavigation::otherNegativeStepReactivates()
{
    RecordingObserver observer(&m_log, QString());
    m_f->Fill(3);
    m_f->controller->AddEventObserver(&observer);
    QVERIFY(!m_f->controller->StepTo(-7));
    QVERIFY(m_f->controller->StepTo(2));
    m_f->controller->SetStrategy(PlaylistController::Shuffle);
    m_log.clear();
    QVERIFY(m_f->controller->StepTo(-7));
    QVERIFY(m_f->controller->StepTo(INT_MIN));
    QCOMPARE(m_f->ActiveRow(), 2);
    QCOMPARE(m_log.count(QStringLiteral("active 2")), 2);
    // The switch to shuffle and both re-activations each left row 2 in the history.
    for (int i = 0; i < 3; ++i)
        QVERIFY(m_f->controller->StepTo(PlaylistController::StepPrevByStrategy));
    QVERIFY(!m_f->controller->StepTo(PlaylistController::StepPrevByStrategy));
    m_f->controller->RemoveEventObserver(&observer);
}

void tst_PlaylistNavigation::stepToSelection()
{
    m_f->Fill(4);
    QItemSelectionModel* selection = m_f->view->selectionModel();
    QVERIFY(!m_f->controller->StepTo(PlaylistController::StepToSelection));

    selection->select(m_f->view->model()->index(0, 0), QItemSelectionModel::Select);
    QVERIFY(m_f->controller->StepTo(PlaylistController::StepToSelection));
    QCOMPARE(m_f->ActiveRow(), 0);

    // The view's selected row is the last of the selection.
    selection->select(m_f->view->model()->index(3, 0), QItemSelectionModel::Select);
    selection->select(m_f->view->model()->index(2, 0), QItemSelectionModel::Select);
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
    QVERIFY(m_f->controller->StepTo(QPersistentModelIndex(m_f->view->model()->index(1, 0))));
    QCOMPARE(m_f->ActiveRow(), 1);
    QVERIFY(m_f->controller->StepTo(QPersistentModelIndex(m_f->view->model()->index(2, 0))));
    // Neither the history nor the pool saw those steps.
    QVERIFY(!m_f->controller->StepTo(PlaylistController::StepPrevByStrategy));
    QCOMPARE(m_f->controller->GetRewindStates(), Next);
    QList<int> rows = StepNext(3);
    std::sort(rows.begin(), rows.end());
    QCOMPARE(rows, QList<int>({ 0, 1, 2 }));
}

void tst_PlaylistNavigation::switchNotifiesInOrder()
{
    RecordingObserver first(&m_log, "1");
    RecordingObserver second(&m_log, "2");
    m_f->Fill(3);
    m_f->controller->AddEventObserver(&first);
    m_f->controller->AddEventObserver(&second);
    QVERIFY(m_f->controller->StepTo(0));
    m_log.clear();

    QVERIFY(m_f->controller->StepTo(1));
    // The old entry loses its flag, the new one gets it, then the observers hear of it.
    QCOMPARE(m_log,
        QStringList({ "1:changed", "2:changed", "1:changed", "2:changed", "1:active 1",
            "2:active 1", "1:rewind 3", "2:rewind 3" }));

    m_log.clear();
    QVERIFY(m_f->controller->StepTo(1));
    QCOMPARE(m_log,
        QStringList({ "1:changed", "2:changed", "1:changed", "2:changed", "1:active 1",
            "2:active 1", "1:rewind 3", "2:rewind 3" }));
    m_f->controller->RemoveEventObserver(&first);
    m_f->controller->RemoveEventObserver(&second);
}

void tst_PlaylistNavigation::activeFlagFollowsTheActiveEntry()
{
    m_f->Fill(4);
    QCOMPARE(m_f->FlaggedRows(), QList<int>());
    QVERIFY(m_f->controller->StepTo(2));
    QCOMPARE(m_f->FlaggedRows(), QList<int>({ 2 }));
    QVERIFY(m_f->controller->StepTo(PlaylistController::StepNextByOrder));
    QCOMPARE(m_f->FlaggedRows(), QList<int>({ 3 }));
    // Rows inserted above move the entry, and the flag with it.
    m_f->controller->AddFile(ioPath("/new"), 0, false);
    QCOMPARE(m_f->ActiveRow(), 4);
    QCOMPARE(m_f->FlaggedRows(), QList<int>({ 4 }));
    QVERIFY(m_f->controller->StepTo(PlaylistController::StepPrevByOrder));
    QCOMPARE(m_f->FlaggedRows(), QList<int>({ 3 }));
    QCOMPARE(m_f->Path(3), QString("/2"));
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
    QVERIFY(!m_f->controller->StepTo(PlaylistController::StepNextByOrder));
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

    const int seq = PlaylistController::Sequential;
    QTest::newRow("empty") << seq << 0 << -1 << true << 0;
    QTest::newRow("no active") << seq << 3 << -1 << true << 0;
    QTest::newRow("first") << seq << 3 << 0 << false << Next;
    QTest::newRow("middle") << seq << 3 << 1 << false << (Next | Prev);
    QTest::newRow("last") << seq << 3 << 2 << false << Prev;
    QTest::newRow("first, repeat") << seq << 3 << 0 << true << (Next | Prev);
    QTest::newRow("last, repeat") << seq << 3 << 2 << true << (Next | Prev);
    QTest::newRow("single") << seq << 1 << 0 << false << 0;
    QTest::newRow("single, repeat") << seq << 1 << 0 << true << 0;
    QTest::newRow("two, repeat") << seq << 2 << 1 << true << (Next | Prev);

    const int shuffle = PlaylistController::Shuffle;
    QTest::newRow("shuffle, no active") << shuffle << 3 << -1 << false << 0;
    QTest::newRow("shuffle, single") << shuffle << 1 << 0 << false << Next;
    QTest::newRow("shuffle, last") << shuffle << 3 << 2 << false << Next;
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
    m_f->controller->StepTo(QPersistentModelIndex(m_f->view->model()->index(active, 0)));
    QCOMPARE(m_f->controller->GetRewindStates(), states);
}

void tst_PlaylistNavigation::repeatReportsRewindStates()
{
    RecordingObserver observer(&m_log, QString());
    m_f->Fill(3);
    QVERIFY(m_f->controller->StepTo(2));
    m_f->controller->AddEventObserver(&observer);
    m_f->controller->SetRepeat(true);
    QVERIFY(m_f->controller->GetRepeat());
    m_f->controller->SetRepeat(true);
    m_f->controller->SetRepeat(false);
    QCOMPARE(m_log, QStringList({ "rewind 2", "rewind 3", "rewind 3", "rewind 2" }));
    m_f->controller->RemoveEventObserver(&observer);
}

void tst_PlaylistNavigation::deletingTheActiveRow()
{
    RecordingObserver observer(&m_log, QString());
    m_f->Fill(3);
    QVERIFY(m_f->controller->StepTo(1));
    m_f->controller->AddEventObserver(&observer);
    m_log.clear();
    m_f->controller->DeleteFile(1);
    // The entry goes without an active-entry event.
    QCOMPARE(m_log, QStringList({ "changed", "rewind 0" }));
    QCOMPARE(m_f->ActiveRow(), -1);
    QCOMPARE(m_f->FlaggedRows(), QList<int>());
    QVERIFY(m_f->controller->StepTo(PlaylistController::StepNextByOrder));
    QCOMPARE(m_f->ActiveRow(), 0);
    m_f->controller->RemoveEventObserver(&observer);
}

void tst_PlaylistNavigation::shuffleCycles()
{
    m_f->Fill(4);
    m_f->controller->SetStrategy(PlaylistController::Shuffle);
    for (int cycle = 0; cycle < 3; ++cycle) {
        QList<int> rows = StepNext(4);
        std::sort(rows.begin(), rows.end());
        QCOMPARE(rows, QList<int>({ 0, 1, 2, 3 }));
    }
}

void tst_PlaylistNavigation::shuffleIgnoresRepeat()
{
    m_f->Fill(2);
    m_f->controller->SetStrategy(PlaylistController::Shuffle);
    QCOMPARE(StepNext(2).size(), 2);
    // The pool is used up; with repeat off a new cycle starts all the same.
    QVERIFY(!m_f->controller->GetRepeat());
    QVERIFY(m_f->controller->StepTo(PlaylistController::StepNextByStrategy));
}

void tst_PlaylistNavigation::shuffleUsesRandModuloPoolSize()
{
    m_f->Fill(5);
    m_f->controller->SetStrategy(PlaylistController::Shuffle);

    // The pool keeps list order; each pick takes out the entry at rand() % size.
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
    QVERIFY(!m_f->controller->StepTo(PlaylistController::StepPrevByStrategy));
    const QList<int> played = StepNext(3);
    QCOMPARE(played.size(), 3);
    QCOMPARE(m_f->controller->GetRewindStates(), Next | Prev);

    QVERIFY(m_f->controller->StepTo(PlaylistController::StepPrevByStrategy));
    QCOMPARE(m_f->ActiveRow(), played.at(1));
    QVERIFY(m_f->controller->StepTo(PlaylistController::StepPrevByStrategy));
    QCOMPARE(m_f->ActiveRow(), played.at(0));
    QCOMPARE(m_f->controller->GetRewindStates(), Next);
    QVERIFY(!m_f->controller->StepTo(PlaylistController::StepPrevByStrategy));
    QCOMPARE(m_f->ActiveRow(), played.at(0));

    // Stepping back did not put the entries back into the pool.
    QList<int> rest = StepNext(2);
    rest << played;
    std::sort(rest.begin(), rest.end());
    QCOMPARE(rest, QList<int>({ 0, 1, 2, 3, 4 }));
}

void tst_PlaylistNavigation::switchingToShuffleTakesOutTheActiveEntry()
{
    RecordingObserver observer(&m_log, QString());
    m_f->Fill(3);
    QVERIFY(m_f->controller->StepTo(1));
    m_f->controller->AddEventObserver(&observer);
    m_log.clear();

    m_f->controller->SetStrategy(PlaylistController::Shuffle);
    m_f->controller->SetStrategy(PlaylistController::Shuffle);
    QCOMPARE(m_f->controller->GetStrategy(), PlaylistController::Shuffle);
    QCOMPARE(m_log, QStringList({ "changed", "changed", "active 1", "rewind 3", "rewind 3" }));

    QList<int> rows = StepNext(2);
    std::sort(rows.begin(), rows.end());
    QCOMPARE(rows, QList<int>({ 0, 2 }));
    m_f->controller->RemoveEventObserver(&observer);
}

void tst_PlaylistNavigation::stepToRowLeavesTheShufflePool()
{
    m_f->Fill(3);
    m_f->controller->SetStrategy(PlaylistController::Shuffle);
    QVERIFY(m_f->controller->StepTo(1));
    QList<int> rows = StepNext(2);
    std::sort(rows.begin(), rows.end());
    QCOMPARE(rows, QList<int>({ 0, 2 }));
}

void tst_PlaylistNavigation::addedFilesJoinTheShufflePool()
{
    m_f->Fill(2);
    m_f->controller->SetStrategy(PlaylistController::Shuffle);
    QCOMPARE(StepNext(2).size(), 2);
    // The used-up pool now holds only the new file, wherever it went.
    m_f->controller->AddFile(ioPath("/new"), 0, false);
    QVERIFY(m_f->controller->StepTo(PlaylistController::StepNextByStrategy));
    QCOMPARE(m_f->Path(m_f->ActiveRow()), QString("/new"));
    QList<int> rows = StepNext(3);
    std::sort(rows.begin(), rows.end());
    QCOMPARE(rows, QList<int>({ 0, 1, 2 }));
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
    QVERIFY(m_f->controller->StepTo(PlaylistController::StepNextByStrategy));
    QCOMPARE(m_f->Path(m_f->ActiveRow()), unplayed.at(1));

    QStringList back;
    while (m_f->controller->StepTo(PlaylistController::StepPrevByStrategy))
        back << m_f->Path(m_f->ActiveRow());
    QCOMPARE(back, QStringList({ played.at(2), played.at(0) }));
}

void tst_PlaylistNavigation::historyEntryOfAMovedRowIsUsedUp()
{
    m_f->Fill(4);
    m_f->controller->SetStrategy(PlaylistController::Shuffle);
    QVERIFY(m_f->controller->StepTo(0));
    QVERIFY(m_f->controller->StepTo(1));
    QVERIFY(m_f->controller->StepTo(2));
    // A drag that moves row 1 re-inserts it and then removes the original row.
    m_f->controller->AddFile(ioPath("/1"), 4, false);
    QVERIFY(m_f->view->model()->removeRow(1));
    QCOMPARE(m_f->Paths(), QStringList({ "/0", "/2", "/3", "/1" }));

    QCOMPARE(m_f->controller->GetRewindStates(), Next | Prev);
    QVERIFY(!m_f->controller->StepTo(PlaylistController::StepPrevByStrategy));
    QCOMPARE(m_f->Path(m_f->ActiveRow()), QString("/2"));
    QCOMPARE(m_f->controller->GetRewindStates(), Next | Prev);
    QVERIFY(m_f->controller->StepTo(PlaylistController::StepPrevByStrategy));
    QCOMPARE(m_f->Path(m_f->ActiveRow()), QString("/0"));
    QCOMPARE(m_f->controller->GetRewindStates(), Next);
}

void tst_PlaylistNavigation::sequentialEmptiesThePoolKeepsTheHistory()
{
    m_f->Fill(3);
    m_f->controller->SetStrategy(PlaylistController::Shuffle);
    QVERIFY(m_f->controller->StepTo(0));
    QVERIFY(m_f->controller->StepTo(1));
    QVERIFY(m_f->controller->StepTo(2));
    // The pool is used up; leaving shuffle empties it, coming back refills it.
    m_f->controller->SetStrategy(PlaylistController::Sequential);
    m_f->controller->SetStrategy(PlaylistController::Shuffle);
    const QList<int> rows = StepNext(2);
    QCOMPARE(QSet<int>(rows.begin(), rows.end()), QSet<int>({ 0, 1 }));

    m_f->controller->SetStrategy(PlaylistController::Sequential);
    m_f->controller->SetStrategy(PlaylistController::Shuffle);
    QList<int> back;
    while (m_f->controller->StepTo(PlaylistController::StepPrevByStrategy))
        back << m_f->ActiveRow();
    // Each switch back to shuffle re-activated the playing entry through the history.
    QCOMPARE(back, QList<int>({ rows.at(1), rows.at(0), 2, 2, 1, 0 }));
}

void tst_PlaylistNavigation::historyIsUnbounded()
{
    m_f->Fill(2);
    m_f->controller->SetStrategy(PlaylistController::Shuffle);
    const int steps = 5000;
    for (int i = 0; i < steps; ++i)
        QVERIFY(m_f->controller->StepTo(i % 2));
    int back = 0;
    while (m_f->controller->StepTo(PlaylistController::StepPrevByStrategy))
        ++back;
    QCOMPARE(back, steps - 1);
}

QTEST_MAIN(tst_PlaylistNavigation)
#include "tst_playlistnavigation.moc"
