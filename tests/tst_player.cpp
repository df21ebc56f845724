#include "DragSeek.h"
#include "FolderScanner.h"
#include "FramePreviews.h"
#include "Gui/Reelkit/PlaylistController.h"
#include "Gui/Reelkit/PlaylistListView.h"
#include "Gui/Reelkit/PlaylistModel.h"
#include "MediaProbe.h"
#include "PlaylistArrange.h"
#include "PlaylistFind.h"
#include "PlaylistModelTester.h"
#include "PlaylistStore.h"
#include "PlaylistUndo.h"
#include "ResumeStore.h"
#include "SampleClips.h"
#include "host/Property.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <functional>

using namespace Player;
using Tarvos::Core::Property;
using Tarvos::Gui::PlaylistItemData;
using Arrange = PlaylistArrange;

namespace {

void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A playlist as the player drives it, with its undo recorder, sorter and find bar.
struct Playlist
{
    explicit Playlist(const QStringList& paths)
    {
        for (const QString& path : paths) {
            PlaylistItemData record(Tarvos::ioPath(path.toStdString()));
            record.SetFileDuration(10 - path.size());
            controller->AddFile(record, -1, false);
        }
        QCoreApplication::processEvents();
        undo.Forget();
        // The clear button's fade is an animation Qt gives no parent: one still
        // running when the field goes is never freed.
        find.GetField()->setClearButtonEnabled(false);
    }
    // Paths in row order, the active one starred, chosen audio streams after a colon.
    QString State() const
    {
        QStringList rows;
        for (int row = 0; row < model->rowCount(); ++row) {
            const PlaylistItemData& record = model->ItemAt(row);
            const int audio = record.GetSelectedAudioStream();
            rows << (record.GetActive() ? "*" : "") + QString::fromStdString(record.GetName())
                    + (audio >= 0 ? QString(":%1").arg(audio) : QString());
        }
        return rows.join(' ');
    }
    void Select(const std::vector<int>& rows)
    {
        for (const int row : rows)
            view.selectionModel()->select(model->index(row, 0), QItemSelectionModel::Select);
    }

    Tarvos::Gui::PlaylistListView view;
    boost::intrusive_ptr<Tarvos::Gui::PlaylistController> controller
        = Tarvos::Gui::PlaylistController::Create(&view);
    Tarvos::Gui::PlaylistModel* model = qobject_cast<Tarvos::Gui::PlaylistModel*>(view.model());
    PlaylistModelTester tester { model };
    PlaylistUndo undo { &view, controller.get() };
    PlaylistArrange arrange { &view, &undo };
    PlaylistFind find { &view };
};

} // namespace

// What the scripted tour of the player does not reach: damaged and missing
// files, folder order and the probe's lifetime.
class tst_Player : public QObject
{
    Q_OBJECT

private slots:
    void corruptPlaylistIsKeptAside();
    void folderScanFindsMediaInNaturalOrder();
    void probeDestroyedWithRequestsPending();
    void editsUndoAndRedo();
    void findJumpsBetweenMatches();
    void longList();
    void resumeWhereLeft();
    void dragSeeksKeyframesWhenFast();
    void previewsOutlastThePlayer();
};

void tst_Player::corruptPlaylistIsKeptAside()
{
    const QByteArray bytes("{\"name\":\"playlist\",\"children\":[{\"name\":\"/a");
    QTemporaryDir dir;
    const QDir folder(dir.filePath(QStringLiteral("app")));
    PlaylistStore store(folder.filePath(QStringLiteral("playlist.json")));
    Property saved("playlist");
    saved.SetChild("filename", "/films/ü.mkv");
    Property tree("untouched");
    QString problem;
    QVERIFY(!store.Load(tree, &problem) && problem.isEmpty());
    // The folder is made on the first save.
    QVERIFY2(store.Save(saved, &problem), qPrintable(problem));
    Write(store.GetPath(), bytes);
    QVERIFY(!store.Load(tree, &problem));
    QCOMPARE(tree.GetName(), std::string("untouched"));
    const QStringList aside = folder.entryList({ QStringLiteral("playlist.json.corrupt-*") });
    QCOMPARE(aside.size(), 1);
    QCOMPARE(problem,
        store.GetPath() + " is not a saved playlist; kept as " + folder.filePath(aside.first()));
    QFile kept(folder.filePath(aside.first()));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), bytes);
    // The next save starts a fresh file beside the kept one, with no temporary file left.
    QVERIFY(store.Save(saved, &problem) && store.Load(tree, &problem));
    QCOMPARE(tree, saved);
    QCOMPARE(folder.entryList(QDir::Files).size(), 2);
}

void tst_Player::folderScanFindsMediaInNaturalOrder()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("season/extras")));
    for (const char* name : { "season/Episode 10.mkv", "season/Episode B.mkv", "season/notes.txt",
             "season/Episode 2.MP4", "season/extras/Trailer.webm", "song.flac", "song.m3u" })
        Write(dir.filePath(QString::fromUtf8(name)), "x");
    QStringList found = FolderScanner::List(dir.path());
    found.replaceInStrings(dir.path() + QLatin1Char('/'), QString());
    QCOMPARE(found,
        QStringList({ "season/Episode 2.MP4", "season/Episode 10.mkv", "season/Episode B.mkv",
            "season/extras/Trailer.webm", "song.flac" }));
}

void tst_Player::probeDestroyedWithRequestsPending()
{
    // Requests still queued, and answers already posted, die with the probe.
    auto* probe = new MediaProbe;
    for (int i = 0; i < 20; ++i)
        probe->Probe("/");
    delete probe;
    QTest::qWait(50);
}

void tst_Player::editsUndoAndRedo()
{
    struct Row
    {
        const char* step;
        std::function<void(Playlist&)> edit;
        const char* after;
    };
    const auto model = [](Playlist& p) { return p.model; };
    const Row rows[] = {
        { "Add 1 file", [](Playlist& p) { p.controller->AddFile(Tarvos::ioPath("/n"), 1, true); },
            "/x10 /n /b /x9 /é" },
        { "Remove 3 files", [](Playlist& p) { p.controller->DeleteSelectedFiles(); }, "/x10" },
        { "Clear the playlist", [](Playlist& p) { p.undo.Clear(); }, "" },
        // A drag of rows inserts at the drop, then removes the dragged rows.
        { "Move 1 file",
            [model](Playlist& p) {
                p.controller->AddFile(Tarvos::ioPath("/b"), 0, false);
                model(p)->removeRow(2);
            },
            "/b /x10 /x9 /é" },
        { "Choose an audio track",
            [model](Playlist& p) {
                p.controller->OnPlaylistWidgetAudioTrackSelected(model(p)->index(1, 0), 3);
            },
            "/x10 /b:3 /x9 /é" },
        { "Sort by name", [](Playlist& p) { p.arrange.Sort(Arrange::Key::Name); },
            "/b /é /x9 /x10" },
        { "Sort by duration", [](Playlist& p) { p.arrange.Sort(Arrange::Key::Duration); },
            "/x10 /x9 /b /é" },
        { "Reverse the order", [](Playlist& p) { p.arrange.Reverse(); }, "/é /x9 /b /x10" },
        { "Move 2 files down", [](Playlist& p) { p.arrange.MoveSelection(1); }, "/x10 /é /b /x9" },
        { "Move 2 files up", [](Playlist& p) { p.arrange.MoveSelection(-1); }, "/b /x9 /x10 /é" },
    };
    for (const Row& row : rows) {
        Playlist p({ "/x10", "/b", "/x9", "/é" });
        p.controller->StepTo(2);
        p.Select({ 1, 2, 3 });
        if (QByteArray(row.step).startsWith("Move 2"))
            p.view.selectionModel()->select(p.model->index(3, 0), QItemSelectionModel::Deselect);
        const QString before = p.State();
        row.edit(p);
        QCoreApplication::processEvents();
        // The active entry stays active wherever it went.
        const QString after = p.State();
        QCOMPARE(QString(after).remove('*'), QString::fromUtf8(row.after));
        QCOMPARE(p.undo.GetStack()->count(), 1);
        QCOMPARE(p.undo.GetStack()->undoText(), QString::fromUtf8(row.step));
        p.undo.GetStack()->undo();
        QCOMPARE(p.State(), before);
        p.undo.GetStack()->redo();
        QCOMPARE(p.State(), after);
        QCOMPARE(p.undo.GetStack()->count(), 1);
    }
}

void tst_Player::findJumpsBetweenMatches()
{
    Playlist p({ "/a/Café.mkv", "/cafe/x.mkv", "/b/CAFÉ 2.mkv", "/c.mkv" });
    QTest::keyClicks(p.find.GetField(), QStringLiteral("cafe"));
    QCOMPARE(p.view.currentIndex().row(), 0);
    const int steps[] = { 1, 1, -1, -1 };
    const int rows[] = { 2, 0, 2, 0 };
    for (int i = 0; i < 4; ++i) {
        QVERIFY(p.find.FindNext(steps[i]));
        QCOMPARE(p.view.currentIndex().row(), rows[i]);
    }
    QTest::keyClicks(p.find.GetField(), QStringLiteral("x"));
    QCOMPARE(p.view.currentIndex().row(), 0);
    QVERIFY(!p.find.FindNext(1));
}

void tst_Player::longList()
{
    Playlist p({});
    std::vector<PlaylistItemData> records;
    for (int i = 0; i < 100000; ++i)
        records.emplace_back(Tarvos::ioPath(QString("/films/Film %1.mkv").arg(i).toStdString()));
    p.model->InsertItems(std::move(records), 0);
    p.controller->StepTo(50000);
    p.view.show();
    QCoreApplication::processEvents();
    p.undo.Clear();
    QCoreApplication::processEvents();
    QElapsedTimer clock;
    clock.start();
    p.undo.GetStack()->undo();
    // Laid out and painted, as the user would see it.
    p.view.repaint();
    QCoreApplication::processEvents();
    const double undoMs = clock.nsecsElapsed() / 1e6;
    QCOMPARE(p.view.verticalScrollBar()->maximum(), 99993);
    QCOMPARE(p.model->rowCount(), 100000);
    QVERIFY(p.model->ItemAt(50000).GetActive());
    // The first keystroke folds every name; later ones search them.
    QTest::keyClick(p.find.GetField(), Qt::Key_F);
    double slowest = 0;
    for (const char c : QByteArray("ilm 99999.mkvz")) {
        clock.restart();
        QTest::keyClick(p.find.GetField(), c);
        slowest = std::max(slowest, clock.nsecsElapsed() / 1e6);
    }
    QCOMPARE(p.view.currentIndex().row(), 99999);
    qInfo("100000 rows: undoing a clear took %.1f ms, the slowest find keystroke %.1f ms", undoMs,
        slowest);
    QVERIFY(undoMs < 1000 && slowest < 16);
}

void tst_Player::resumeWhereLeft()
{
    constexpr Tarvos::avTime Second = 1000000;
    struct Row
    {
        const char* name;
        Tarvos::avTime left, duration, resumed; // seconds
    };
    const Row rows[] = { { "halfway", 40, 100, 40 }, { "in the last 5 %", 95, 100, 0 },
        { "just before the last 5 %", 94, 100, 94 }, { "duration unknown", 40, 0, 40 },
        { "before the start", -1, 100, 0 } };
    QTemporaryDir dir;
    const QString film = dir.filePath(QStringLiteral("film.mkv"));
    Write(film, "x");
    ResumeStore store(dir.filePath(QStringLiteral("app/resume.json")));
    for (const Row& row : rows) {
        store.Remember(film, { row.left * Second, 2, 1 }, row.duration * Second);
        QVERIFY(store.Save());
        ResumeStore read(store.GetPath());
        QVERIFY(read.Load());
        const ResumeStore::Point point = read.Recall(film);
        QVERIFY2(point.position == row.resumed * Second && point.audioStream == 2
                && point.videoStream == 1 && read.GetCount() == 1,
            row.name);
    }
    // Turned off, the file starts over with the streams it was left with.
    store.SetEnabled(false);
    QVERIFY(store.Save());
    store.SetEnabled(true);
    ResumeStore off(store.GetPath());
    QVERIFY(off.Load() && !off.IsEnabled());
    QCOMPARE(off.Recall(film).position, 0);
    QCOMPARE(off.Recall(film).audioStream, 2);
    Write(film, "replaced");
    QCOMPARE(off.Recall(film).audioStream, -1);
    for (int i = 0; i <= ResumeStore::MaxFiles; ++i)
        store.Remember(QString("/gone/%1").arg(i), { Second, -1, -1 }, 0);
    store.Remember(QStringLiteral("/gone/1"), { 2 * Second, -1, -1 }, 0);
    store.Remember(QStringLiteral("/gone/new"), { Second, -1, -1 }, 0);
    QCOMPARE(store.GetCount(), ResumeStore::MaxFiles);
    QCOMPARE(store.Recall("/gone/2").position, 0);
    QCOMPARE(store.Recall("/gone/3").position, Second);
    QCOMPARE(store.Recall("/gone/1").position, 2 * Second);
    Write(store.GetPath(), "{\"files\": [");
    QString problem;
    QVERIFY(!store.Load(&problem));
    QCOMPARE(problem, store.GetPath() + " is not a list of places to resume: ignored");
    QCOMPARE(store.GetCount(), 0);
}

void tst_Player::dragSeeksKeyframesWhenFast()
{
    // Reports of one drag: position in seconds, milliseconds into the drag.
    // Faster than ten seconds of film per second of dragging goes to keyframes.
    const struct
    {
        int seconds;
        qint64 ms;
        bool keyframe;
    } reports[] = { { 30, 0, false }, { 31, 100, false }, { 33, 200, true }, { 40, 210, true },
        { 40, 211, false }, { 35, 711, false } };
    DragSeek drag;
    QVERIFY(!drag.IsKeyframeSeek(0, 0));
    drag.Start();
    for (const auto& report : reports)
        QCOMPARE(drag.IsKeyframeSeek(report.seconds * 1000000LL, report.ms), report.keyframe);
    // A drag that ends on an exact seek needs no other; one that ends on a
    // keyframe gets an exact seek to the same place.
    QVERIFY(!drag.Finish());
    drag.Start();
    drag.IsKeyframeSeek(0, 0);
    QVERIFY(drag.IsKeyframeSeek(60000000, 50) && drag.Finish());
    QCOMPARE(drag.GetLastPosition(), 60000000);
    QVERIFY(!drag.IsKeyframeSeek(0, 60));
}

void tst_Player::previewsOutlastThePlayer()
{
    if (!SampleClips::CanMake())
        QSKIP("needs ffmpeg");
    QTemporaryDir dir;
    const QString video = SampleClips::Make(dir.filePath("clips")).value(0);
    const QString cache = dir.filePath("cache");
    Tarvos::Gui::TimelineSlider slider;
    FramePreviews previews;
    previews.SetCacheFolder(cache);
    previews.SetFile(video);
    previews.RequestPreview(&slider, 9500000);
    const QString file
        = FramePreviews::CacheFile(cache, video, 9000000, FramePreviews::DefaultHeight);
    QTRY_VERIFY(QFileInfo::exists(file));
    // The picture on disk, for a later player, is the one decoded.
    const QImage decoded = FramePreviews::Decode(video, 9000000, FramePreviews::DefaultHeight);
    QVERIFY(!decoded.isNull());
    QCOMPARE(QImage(file).convertToFormat(decoded.format()), decoded);
    // The exact frame at 9 s is not the keyframe before it.
    const QImage exact = FramePreviews::Decode(video, 9000000, FramePreviews::DefaultHeight, true);
    QVERIFY(!exact.isNull() && exact != decoded);
}

QTEST_MAIN(tst_Player)
#include "tst_player.moc"
