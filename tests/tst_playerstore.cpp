#include "FolderScanner.h"
#include "PlaylistStore.h"
#include "host/Property.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using Player::FolderScanner;
using Player::PlaylistStore;
using Tarvos::Core::Property;

namespace {

Property Playlist(std::initializer_list<const char*> files)
{
    Property root("playlist");
    root.SetArrayType();
    for (const char* file : files) {
        Property entry;
        entry.SetArrayType();
        entry.SetChild("filename", std::string(file));
        entry.SetChild("audiostream", -1);
        root.Add(entry);
    }
    return root;
}

void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class tst_PlayerStore : public QObject
{
    Q_OBJECT

private slots:
    void savedTreeComesBack();
    void nothingSavedIsNoProblem();
    void corruptFileIsKeptAside_data();
    void corruptFileIsKeptAside();
    void folderScanFindsMediaInNaturalOrder();
};

void tst_PlayerStore::savedTreeComesBack()
{
    QTemporaryDir dir;
    // The folder is made on the first save.
    PlaylistStore store(dir.filePath(QStringLiteral("app/playlist.json")));
    const Property saved = Playlist({ "/films/a.mkv", "/films/ü.mp4" });
    QString problem;
    QVERIFY2(store.Save(saved, &problem), qPrintable(problem));
    Property loaded;
    QVERIFY(store.Load(loaded, &problem));
    QCOMPARE(loaded, saved);
    // Overwriting leaves no temporary file behind.
    QVERIFY(store.Save(Playlist({}), &problem));
    QCOMPARE(QDir(dir.filePath(QStringLiteral("app"))).entryList(QDir::Files),
        QStringList { QStringLiteral("playlist.json") });
}

void tst_PlayerStore::nothingSavedIsNoProblem()
{
    QTemporaryDir dir;
    PlaylistStore store(dir.filePath(QStringLiteral("playlist.json")));
    Property tree("untouched");
    QString problem;
    QVERIFY(!store.Load(tree, &problem));
    QVERIFY(problem.isEmpty());
    QCOMPARE(tree.GetName(), std::string("untouched"));
}

void tst_PlayerStore::corruptFileIsKeptAside_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("cut off") << QByteArray("{\"playlist\": [ {\"filename\": \"/a");
}

void tst_PlayerStore::corruptFileIsKeptAside()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("playlist.json"));
    Write(path, bytes);
    PlaylistStore store(path);
    Property tree;
    QString problem;
    QVERIFY(!store.Load(tree, &problem));
    QVERIFY2(problem.contains(QStringLiteral("kept as")), qPrintable(problem));

    const QStringList aside = QDir(dir.path())
                                  .entryList({ QStringLiteral("playlist.json")
                                                 + QString::fromLatin1(PlaylistStore::CorruptSuffix)
                                                 + QStringLiteral("*") },
                                      QDir::Files);
    QCOMPARE(aside.size(), 1);
    QFile kept(dir.filePath(aside.first()));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), bytes);

    // The next save starts a fresh file beside the kept one.
    QVERIFY(store.Save(Playlist({ "/b.mkv" }), &problem));
    QVERIFY(store.Load(tree, &problem));
    QCOMPARE(tree.Count(), 1u);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

void tst_PlayerStore::folderScanFindsMediaInNaturalOrder()
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

    FolderScanner scanner;
    QStringList found;
    connect(&scanner, &FolderScanner::Found, this,
        [&found](const QString&, const QStringList& files) { found = files; });
    scanner.Scan(dir.filePath(QStringLiteral("season/extras")));
    QTRY_COMPARE(found, QStringList { root + QStringLiteral("season/extras/Trailer.webm") });
}

QTEST_MAIN(tst_PlayerStore)
#include "tst_playerstore.moc"
