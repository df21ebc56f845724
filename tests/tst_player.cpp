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
// files, folder order and the probe's queue.
class tst_Player : public QObject
{
    Q_OBJECT

private slots:
    void corruptPlaylistIsKeptAside();
    void folderScanFindsMediaInNaturalOrder();
    void probeAnswersInRequestOrder();
};

void tst_Player::corruptPlaylistIsKeptAside()
{
    const QByteArray bytes("{\"name\":\"playlist\",\"children\":[{\"name\":\"/a");
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("app"));
    PlaylistStore store(folder + QStringLiteral("/playlist.json"));
    Property saved("playlist");
    saved.SetChild("filename", "/films/ü.mkv");
    Property tree("untouched");
    QString problem;
    QVERIFY(!store.Load(tree, &problem));
    QVERIFY(problem.isEmpty());
    // The folder is made on the first save.
    QVERIFY2(store.Save(saved, &problem), qPrintable(problem));
    Write(store.GetPath(), bytes);
    QVERIFY(!store.Load(tree, &problem));
    QCOMPARE(tree.GetName(), std::string("untouched"));
    QVERIFY2(problem.contains(QStringLiteral("; kept as ")), qPrintable(problem));

    const QStringList aside = QDir(folder).entryList({ QStringLiteral("playlist.json.corrupt-*") });
    QCOMPARE(aside.size(), 1);
    QFile kept(QDir(folder).filePath(aside.first()));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), bytes);
    // The next save starts a fresh file beside the kept one, with no temporary file left.
    QVERIFY(store.Save(saved, &problem));
    QVERIFY(store.Load(tree, &problem));
    QCOMPARE(tree, saved);
    QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 2);
}

void tst_Player::folderScanFindsMediaInNaturalOrder()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("season/extras")));
    for (const char* name : { "season/Episode 10.mkv", "season/Episode 2.MP4", "season/notes.txt",
             "season/extras/Trailer.webm", "cover.jpg", "song.flac" })
        Write(dir.filePath(QString::fromUtf8(name)), "x");
    const QString root = dir.path() + QLatin1Char('/');
    QCOMPARE(FolderScanner::List(dir.path()),
        QStringList({ root + QStringLiteral("season/Episode 2.MP4"),
            root + QStringLiteral("season/Episode 10.mkv"),
            root + QStringLiteral("season/extras/Trailer.webm"),
            root + QStringLiteral("song.flac") }));
}

void tst_Player::probeAnswersInRequestOrder()
{
    auto* probe = new MediaProbe;
    QStringList failed;
    connect(probe, &MediaProbe::Failed, this,
        [&failed](const std::string& path) { failed << QString::fromStdString(path); });
    const QStringList paths = { "/nonexistent/b.mkv", "/", "/nonexistent/a.mkv" };
    for (const QString& path : paths)
        probe->Probe(path.toStdString());
    QTRY_COMPARE(failed, paths);
    // Requests still queued, and answers already posted, die with the probe.
    for (int i = 0; i < 20; ++i)
        probe->Probe("/");
    delete probe;
    QTest::qWait(50);
}

QTEST_MAIN(tst_Player)
#include "tst_player.moc"
