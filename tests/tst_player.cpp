#include "FolderScanner.h"
#include "MediaProbe.h"
#include "PlaylistStore.h"
#include "host/Property.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Player;
using Tarvos::Core::Property;

namespace {

void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

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

QTEST_MAIN(tst_Player)
#include "tst_player.moc"
