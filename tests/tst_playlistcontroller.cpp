#include "PlaylistControllerTestSupport.h"

#include <QtTest>

using Tarvos::ioPath;
using Tarvos::Core::Property;
using Tarvos::Gui::PlaylistController;
using Tarvos::Gui::PlaylistItemData;
using F = ControllerFixture;

namespace {

using InfoPtr = boost::intrusive_ptr<const Tarvos::Sarnet::MediaSourceInfo>;
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
    int strategy, count, active;
    bool repeat;
    int states, step;
    bool stepped;
    int expected;
};

// An action on the files "/0" … with one entry active, what the observers
// ("" and, when two, "o") hear of it in order, and the active row after it.
struct OrderRow
{
    int count, active;
    bool two;
    std::function<void(F&)> act;
    QString log;
    int activeAfter;
};

QList<int> Sorted(QList<int> rows)
{
    std::sort(rows.begin(), rows.end());
    return rows;
}

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

Property Tree(std::initializer_list<Property> entries)
{
    Property root("playlist");
    root.SetArrayType();
    for (const Property& entry : entries)
        root.Add(entry);
    return root;
}

} // namespace

Q_DECLARE_METATYPE(StepRow)
Q_DECLARE_METATYPE(OrderRow)

class tst_PlaylistController : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_f = std::make_unique<F>(); }
    void cleanup() { m_f.reset(); }

    void observers()
    {
        m_f->Fill(2);
        QVERIFY(m_f->controller->StepTo(0));
        // Each newcomer hears the current states at once, and only once.
        RecordingObserver& first = m_f->Observe("1");
        m_f->controller->AddEventObserver(&first);
        QCOMPARE(m_f->log, QStringList({ "1:rewind 1" }));
    }

    void order_data()
    {
        QTest::addColumn<OrderRow>("row");
        // The empty row, the stored record, the old entry's flag, the new one's;
        // then the switch and the report of the addition itself.
        QTest::newRow("add active") << OrderRow { 2, 1, false,
            [](F& f) {
                PlaylistItemData record(ioPath("/x"));
                record.SetSelectedAudioStream(2);
                QCOMPARE(f.controller->AddFile(record, 5, true), -1);
                QCOMPARE(f.controller->AddFile(record, 0, true), 0);
                QCOMPARE(f.Record(0).GetSelectedAudioStream(), 2);
            },
            "rewind 2, changed, changed, changed, changed, active 0, "
            "rewind 1, rewind 1",
            0 };
        // Always the last row of the selection first, one row at a time.
        QTest::newRow("delete selected") << OrderRow { 6, 5, false,
            [](F& f) {
                for (const int row : { 4, 0, 1, 3 })
                    f.view->selectionModel()->select(f.Entry(row), QItemSelectionModel::Select);
                QList<int> removed;
                QObject::connect(f.view->model(), &QAbstractItemModel::rowsAboutToBeRemoved,
                    [&](const QModelIndex&, int first, int last) { removed << first << last; });
                f.controller->DeleteSelectedFiles();
                QCOMPARE(removed, QList<int>({ 3, 3, 1, 1, 0, 0, 1, 1 }));
                // Then the active entry goes, without an active-entry event; then all
                // rows at once.
                f.controller->DeleteFile(1);
                f.controller->Clear();
            },
            "changed, changed, changed, changed, rewind 2, changed, rewind 0, "
            "changed, rewind 0",
            -1 };
        // The old entry loses its flag, the new one gets it, then the observers
        // hear of it; the same entry again goes through all of it once more.
        const QString toRow1 = "changed, o:changed, changed, o:changed, active 1, "
                               "o:active 1, rewind 3, o:rewind 3";
        QTest::newRow("switch") << OrderRow { 3, 0, true,
            [](F& f) { QVERIFY(f.controller->StepTo(1) && f.controller->StepTo(1)); },
            toRow1 + ", " + toRow1, 1 };
        // The nested insertion runs to its end before the second observer hears
        // of the switch; the row it hears is the one reported before the insertion.
        QTest::newRow("observer adds while notified") << OrderRow { 2, -1, true,
            [](F& f) {
                f.observers.front().onActive = [&f](int) {
                    if (f.controller->GetItemCount() == 2)
                        f.controller->AddFile(ioPath("/extra"), 0, false);
                };
                QVERIFY(f.controller->StepTo(1));
                QCOMPARE(f.Paths(), QStringList({ "/extra", "/0", "/1" }));
            },
            "changed, o:changed, active 1, changed, o:changed, changed, o:changed, "
            "rewind 2, o:rewind 2, o:active 1, rewind 2, o:rewind 2",
            2 };
        QTest::newRow("shuffle") << OrderRow { 3, 1, false,
            [](F& f) {
                f.controller->SetStrategy(PlaylistController::Shuffle);
                f.controller->SetStrategy(PlaylistController::Shuffle);
            },
            "changed, changed, active 1, rewind 3, rewind 3", 1 };
        // Every choice is stored; only the active entry's are told.
        QTest::newRow("tracks") << OrderRow { 2, 1, false,
            [](F& f) {
                f.controller->OnPlaylistWidgetAudioTrackSelected(f.Entry(0), 3);
                f.controller->OnPlaylistWidgetVideoTrackSelected(f.Entry(0), 2);
                f.controller->OnPlaylistWidgetAudioTrackSelected(f.Entry(1), 4);
                f.controller->OnPlaylistWidgetVideoTrackSelected(f.Entry(1), 5);
                QCOMPARE(f.Record(0).GetSelectedVideoStream(), 2);
            },
            "changed, changed, changed, audio 4, changed, video 5", 1 };
        // Every observer hears of a drop before the entry becomes active.
        QTest::newRow("active file dropped, inserted") << OrderRow { 2, 0, true,
            [](F& f) {
                f.observers.front().onDropped = [&f](const std::string& path, int at) {
                    f.controller->AddFile(ioPath(path), at, false);
                };
                f.controller->OnActiveFileDropped("/dropped", 2);
            },
            "dropped /dropped 2, changed, o:changed, changed, o:changed, "
            "rewind 1, o:rewind 1, o:dropped /dropped 2, changed, o:changed, "
            "changed, o:changed, active 2, o:active 2, rewind 2, o:rewind 2",
            2 };
    }

    void order()
    {
        QFETCH(OrderRow, row);
        m_f->Fill(row.count);
        if (row.active >= 0)
            QVERIFY(m_f->controller->StepTo(row.active));
        m_f->Observe();
        if (row.two)
            m_f->Observe("o");
        m_f->log.clear();
        row.act(*m_f);
        QCOMPARE(m_f->log.join(", "), row.log);
        QCOMPARE(m_f->ActiveRow(), row.activeAfter);
        QCOMPARE(m_f->FlaggedRows(),
            row.activeAfter >= 0 ? QList<int>({ row.activeAfter }) : QList<int>());
    }

    void fileInfo()
    {
        for (const char* path : { "/a", "/b", "dvd://E:/:title=1", "/a" })
            m_f->controller->AddFile(ioPath(path), -1, false);
        QVERIFY(m_f->controller->StepTo(3));
        m_f->Observe();
        m_f->log.clear();
        const InfoPtr info = Info("/a", 5000000);
        m_f->controller->SetFileInfo(info);
        // Both entries of the path get it, the active one keeps its flag.
        QCOMPARE(m_f->log, QStringList({ "changed", "changed" }));
        QCOMPARE(m_f->Record(0).GetInfo(), info);
        QCOMPARE(m_f->Record(3).GetFileDuration(), Tarvos::avTime(5000000));
        QVERIFY(m_f->Record(3).GetActive());
        // A failure drops the information but not the duration, and stays.
        m_f->controller->SetFileInfoFailed("/a");
        m_f->controller->SetFileInfo(Info("/a", 7));
        QVERIFY(!m_f->Record(0).IsValid());
        QCOMPARE(m_f->Record(0).GetFileDuration(), Tarvos::avTime(7));
        // The index of paths follows a row inserted above and a path changed in place.
        m_f->controller->AddFile(ioPath("/c"), 0, false);
        m_f->controller->SetFileInfo(Info("/b", 8));
        PlaylistItemData renamed = m_f->Record(0);
        renamed.SetFilename("/d");
        QVERIFY(m_f->controller->UpdateFile(renamed));
        m_f->controller->SetFileInfo(Info("/d", 9));
        QVERIFY(m_f->Record(2).GetFileDuration() == 8 && m_f->Record(0).GetFileDuration() == 9);
    }

    void fileInfoWhileObserversChangeTheList()
    {
        // The walk goes on from the row after the one just updated, over the list
        // as the observers left it.
        RecordingObserver& observer = m_f->Observe();
        for (const char* path : { "/a", "/b", "/a", "/a", "/c" })
            m_f->controller->AddFile(ioPath(path), -1, false);
        m_f->controller->SetFileInfo(Info("/c", 1)); // builds the index of paths
        const InfoPtr info = Info("/a", 1);
        int updates = 0;
        bool edited = false;
        observer.onChanged = [&] {
            if (std::exchange(edited, true))
                return;
            // Above the walk: the new "/a" is never visited, the first one is visited
            // again.
            m_f->controller->AddFile(ioPath("/a"), 0, false);
            // Ahead of the walk: renamed rows are found, removed ones are not.
            PlaylistItemData renamed = m_f->Record(5);
            renamed.SetFilename("/a");
            QVERIFY(m_f->controller->UpdateFile(renamed));
            m_f->controller->DeleteFile(4);
        };
        connect(
            m_f->view->model(), &QAbstractItemModel::dataChanged, [&](const QModelIndex& index) {
                updates += m_f->Record(index.row()).GetInfo() == info;
            });
        m_f->controller->SetFileInfo(info);
        QList<int> reached;
        for (int row = 0; row < m_f->controller->GetItemCount(); ++row) {
            if (m_f->Record(row).GetInfo() == info)
                reached << row;
        }
        QCOMPARE(reached, QList<int>({ 1, 3, 4 }));
        QCOMPARE(m_f->Paths(), QStringList({ "/a", "/a", "/b", "/a", "/a" }));
        QCOMPARE(updates, 4);
    }

    void stepByOrder_data()
    {
        QTest::addColumn<StepRow>("row");
        const int next = PlaylistController::StepNextByOrder;
        QTest::newRow("next at the end") << StepRow { Seq, 3, 2, false, Prev, next, false, 2 };
        QTest::newRow("next at the end, repeat")
            << StepRow { Seq, 3, 2, true, Next | Prev, next, true, 0 };
        QTest::newRow("prev at the start, repeat") << StepRow { Seq, 3, 0, true, Next | Prev,
            PlaylistController::StepPrevByOrder, true, 2 };
        QTest::newRow("no active, next") << StepRow { Seq, 3, -1, true, 0, next, true, 0 };
        QTest::newRow("single, repeat") << StepRow { Seq, 1, 0, true, 0, NoStep, false, 0 };
        QTest::newRow("shuffle, single")
            << StepRow { Shuffle, 1, 0, false, Next, NoStep, false, 0 };
        // Order steps ignore the strategy.
        QTest::newRow("shuffle, next at the end, repeat")
            << StepRow { Shuffle, 3, 2, true, Next, next, true, 0 };
        // The selected first row, not the active entry.
        QTest::newRow("to selection")
            << StepRow { Seq, 3, 2, false, Prev, PlaylistController::StepToSelection, true, 0 };
    }

    void stepByOrder()
    {
        QFETCH(StepRow, row);
        m_f->Fill(row.count);
        m_f->controller->SetRepeat(row.repeat);
        m_f->controller->SetStrategy(PlaylistController::Strategies(row.strategy));
        // Made active without a step, so that the shuffle history stays empty.
        m_f->controller->StepTo(m_f->Entry(row.active));
        QCOMPARE(m_f->controller->GetRewindStates(), row.states);
        if (row.step == PlaylistController::StepToSelection)
            m_f->view->selectionModel()->select(m_f->Entry(0), QItemSelectionModel::Select);
        if (row.step != NoStep) {
            QCOMPARE(m_f->controller->StepTo(row.step), row.stepped);
            QCOMPARE(m_f->ActiveRow(), row.expected);
        }
    }

    void shuffleUsesRandModuloPoolSize()
    {
        m_f->Fill(5);
        QVERIFY(m_f->controller->StepTo(1));
        m_f->controller->SetStrategy(PlaylistController::Shuffle);
        // The pool keeps list order and lacks the active entry; each pick takes out
        // the entry at rand() % size. A used-up pool starts a new cycle of all
        // rows.
        std::srand(2024);
        QList<int> expected;
        for (QList<int> pool : { QList<int> { 0, 2, 3, 4 }, QList<int> { 0, 1, 2, 3, 4 } }) {
            while (!pool.isEmpty())
                expected << pool.takeAt(std::rand() % pool.size());
        }
        std::srand(2024);
        QCOMPARE(StepNext(9), expected);
    }

    void shuffleHistory()
    {
        m_f->Fill(5);
        m_f->controller->SetStrategy(PlaylistController::Shuffle);
        QVERIFY(!m_f->controller->StepTo(PrevByStrategy));
        // A step to an entry takes nothing out of the pool and goes to no history.
        QVERIFY(m_f->controller->StepTo(m_f->Entry(1)));
        const QList<int> played = StepNext(3);
        QCOMPARE(m_f->controller->GetRewindStates(), Next | Prev);
        QCOMPARE(StepBackAll(), QList<int>({ played.at(1), played.at(0), 1 }));
        QCOMPARE(m_f->controller->GetRewindStates(), Next);
        // Stepping back did not put the entries back into the pool.
        QCOMPARE(Sorted(StepNext(2) + played), QList<int>({ 0, 1, 2, 3, 4 }));

        // Leaving shuffle empties the used-up pool, coming back refills it without
        // the playing entry.
        const int playing = m_f->ActiveRow();
        m_f->controller->SetStrategy(PlaylistController::Sequential);
        m_f->controller->SetStrategy(PlaylistController::Shuffle);
        QCOMPARE(Sorted(StepNext(4) << playing), QList<int>({ 0, 1, 2, 3, 4 }));
    }

    void shufflePoolFollowsTheList()
    {
        m_f->Fill(5);
        m_f->controller->SetStrategy(PlaylistController::Shuffle);
        const QStringList played = PathsOf(StepNext(3));
        QStringList unplayed = m_f->Paths();
        for (const QString& path : played)
            unplayed.removeOne(path);
        // Deleted files leave the pool and the history.
        m_f->controller->DeleteFile(m_f->Paths().indexOf(played.at(1)));
        m_f->controller->DeleteFile(m_f->Paths().indexOf(unplayed.at(0)));
        QCOMPARE(m_f->controller->GetRewindStates(), Next | Prev);
        QCOMPARE(PathsOf(StepNext(1)), QStringList({ unplayed.at(1) }));
        QCOMPARE(PathsOf(StepBackAll()), QStringList({ played.at(2), played.at(0) }));
        // The used-up pool now holds only a new file, wherever it went.
        m_f->controller->AddFile(ioPath("/new"), 0, false);
        QCOMPARE(PathsOf(StepNext(1)), QStringList({ "/new" }));

        // A drag that moves a row re-inserts it and then removes the original row,
        // whose entry in the history is used up.
        m_f->controller->Clear();
        m_f->Fill(4);
        for (const int row : { 0, 1, 2 })
            QVERIFY(m_f->controller->StepTo(row));
        m_f->controller->AddFile(ioPath("/1"), 4, false);
        QVERIFY(m_f->view->model()->removeRow(1));
        QCOMPARE(m_f->controller->GetRewindStates(), Next | Prev);
        QVERIFY(!m_f->controller->StepTo(PrevByStrategy));
        QCOMPARE(m_f->Path(m_f->ActiveRow()), QString("/2"));
        QCOMPARE(PathsOf(StepBackAll()), QStringList({ "/0" }));
    }

    void serialize()
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
            Tree({ Entry("/0", -1, -1, false), Entry("/1", -1, -1, true),
                Entry("/2", 1, 0, false) }));

        // Odd entries read back, appended to what is there; the tree is only read.
        Property tree("anything"), noName, odd, cut;
        noName.SetChild("active", true);
        odd.SetChild("filename", 42);
        odd.SetChild("audiostream", "7");
        odd.SetChild("videostream", true);
        odd.SetChild("active", false);
        cut.SetChild("filename", "/cut");
        cut.SetChild("audiostream", (std::int64_t(1) << 32) + 5);
        cut.SetChild("active", true);
        for (const Property& entry :
            { noName, odd, cut, Entry("dvd://E:/:title=2", -1, -1, false) })
            tree.Add(entry);
        const Property copy = tree;
        QCOMPARE(m_f->controller->Deserialize(tree), 6);
        QCOMPARE(tree, copy);
        QCOMPARE(m_f->Paths().mid(3), QStringList({ "42", "/cut", "dvd://E:/:title=2" }));
        QCOMPARE(m_f->Record(3).GetSelectedAudioStream(), 7);
        QCOMPARE(m_f->Record(3).GetSelectedVideoStream(), 1);
        QCOMPARE(m_f->Record(4).GetSelectedAudioStream(), 5);
        QVERIFY(!m_f->Record(5).IsDVD());
        // Several marked entries: the last one wins.
        QCOMPARE(m_f->FlaggedRows(), QList<int>({ 4 }));
    }

private:
    // Steps n times by strategy and returns the rows that became active.
    QList<int> StepNext(int n)
    {
        QList<int> rows;
        while (rows.size() < n && m_f->controller->StepTo(NextByStrategy))
            rows << m_f->ActiveRow();
        return rows;
    }
    // Steps back by strategy for as long as that works; the rows it went to.
    QList<int> StepBackAll()
    {
        QList<int> rows;
        while (m_f->controller->StepTo(PrevByStrategy))
            rows << m_f->ActiveRow();
        return rows;
    }
    QStringList PathsOf(const QList<int>& rows) const
    {
        QStringList paths;
        for (const int row : rows)
            paths << m_f->Path(row);
        return paths;
    }

    std::unique_ptr<F> m_f;
};

QTEST_MAIN(tst_PlaylistController)
#include "tst_playlistcontroller.moc"
