#include "PlaylistFile.h"

#include <QTemporaryDir>
#include <QTest>

using Player::PlaylistEntry;
using Player::PlaylistFile;
using Entries = QVector<PlaylistEntry>;
using Format = PlaylistFile::Format;

Q_DECLARE_METATYPE(Entries)

namespace {

const QString Folder = QStringLiteral("/lists");

struct ReadRow
{
    const char* name;
    Format format;
    QByteArray bytes;
    QString error; // empty when the entries are read
    Entries entries = {};
};

} // namespace

class tst_PlaylistFile : public QObject
{
    Q_OBJECT

private slots:
    void readGivesEntriesOrOneClearError();
    void writtenFilesReadBack_data();
    void writtenFilesReadBack();
    void loadFollowsListedPlaylistsButNoCycle();
};

void tst_PlaylistFile::readGivesEntriesOrOneClearError()
{
    const ReadRow rows[] = {
        { "extended", Format::M3u8,
            "\xef\xbb\xbf#EXTM3U\r\n#EXTINF:61.5 logo=\"a,b\",Ä - Song\r\nsub/ä.mp3\r\n"
            "file:///x/a%20b.ogg\r\nhttp://radio.example/s\n",
            {},
            { { "/lists/sub/ä.mp3", "Ä - Song", 61500 }, { "/x/a b.ogg", {}, -1 },
                { "http://radio.example/s", {}, -1 } } },
        { "latin-1", Format::M3u, "caf\xe9.mp3", {}, { { "/lists/café.mp3", {}, -1 } } },
        { "pls", Format::Pls, "[Playlist]\nTitle2=B\nFile2=/b.mp3\nfile1=a.mp3\nLength1=0\n", {},
            { { "/lists/a.mp3", {}, 0 }, { "/b.mp3", "B", -1 } } },
        { "xspf", Format::Xspf,
            "<playlist><trackList><track><location>a%20b.mp3</location><title>T &amp; U</title>"
            "<duration>1500</duration></track><track><location>/c</location><duration>-7</duration>"
            "</track></trackList></playlist>",
            {}, { { "/lists/a b.mp3", "T & U", 1500 }, { "/c", {}, -1 } } },
        { "empty", Format::M3u, " \n", "The file is empty." },
        { "comments only", Format::M3u, "#EXTM3U\n", "The file holds no entries." },
        { "too many", Format::M3u, QByteArray("a\n").repeated(PlaylistFile::MaxEntries + 1),
            "The file holds more than 1000000 entries." },
        { "binary", Format::M3u, QByteArray("a.mp3\0", 6), "The file is not text." },
        { "not utf-8", Format::M3u8, "caf\xe9.mp3", "The file is not UTF-8 text." },
        { "10 MB line", Format::M3u, "a.mp3\n" + QByteArray(10000000, 'a'),
            "Line 2 is longer than 65536 characters." },
        { "too large", Format::Pls, QByteArray(PlaylistFile::MaxFileSize + 1, '\n'),
            "The file is larger than 16 MiB." },
        { "cut m3u", Format::M3u, "a.mp3\n#EXTINF:12,Cut",
            "The file ends before the entry of line 2." },
        { "cut pls", Format::Pls, "[playlist]\nNumberOfEntries=3\nFile1=a.mp3\n",
            "The file holds 1 of the 3 entries it announces." },
        { "no section", Format::Pls, "File1=a.mp3", "The file has no [playlist] section." },
        { "cut xspf", Format::Xspf, "<playlist><trackList><track><location>a.mp3</loc",
            "Line 1: Premature end of document." },
        { "entities", Format::Xspf,
            "<?xml version=\"1.0\"?>\n<!DOCTYPE p [<!ENTITY a "
            "\"aaaa\">]>\n<playlist>&a;</playlist>",
            "Line 2: The file declares a document type, which playlists never do." },
        { "deep", Format::Xspf, "<playlist>" + QByteArray("<a>").repeated(40),
            "Line 1: The elements are nested more than 32 deep." },
        { "not xspf", Format::Xspf, "<html/>", "The file is no XSPF playlist." },
    };
    for (const ReadRow& row : rows) {
        const PlaylistFile::Result read = PlaylistFile::Read(row.bytes, Folder, row.format);
        QVERIFY2(read.error == row.error && read.entries == row.entries,
            qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(row.name), read.error)));
    }
}

void tst_PlaylistFile::writtenFilesReadBack_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("relative");
    QTest::newRow("m3u8") << QStringLiteral("l.m3u8")
                          << QStringLiteral("#EXTINF:61,Ä, b\nsub/a b.mp3\n");
    QTest::newRow("m3u") << QStringLiteral("l.m3u") << QStringLiteral("\n/elsewhere/c.ogg\n");
    QTest::newRow("pls") << QStringLiteral("l.pls")
                         << QStringLiteral("File1=sub/a b.mp3\nTitle1=Ä, b\nLength1=61\n");
    QTest::newRow("xspf") << QStringLiteral("l.xspf")
                          << QStringLiteral("<location>sub/a%20b.mp3</location>");
}

void tst_PlaylistFile::writtenFilesReadBack()
{
    QFETCH(QString, name);
    QFETCH(QString, relative);
    QTemporaryDir dir;
    const Entries entries = { { dir.filePath("sub/a b.mp3"), "Ä, b", 61000 },
        { "/elsewhere/c.ogg", {}, -1 }, { dir.filePath("x\n#y.mkv"), "Line\nbreak", 1000 },
        { "http://radio.example/s?a=1", "Radio", -1 } };
    QString error;
    QVERIFY2(PlaylistFile::Save(dir.filePath(name), entries, &error), qPrintable(error));
    QFile file(dir.filePath(name));
    QVERIFY(file.open(QIODevice::ReadOnly) && file.readAll().contains(relative.toUtf8()));
    Entries back = PlaylistFile::Load(dir.filePath(name)).entries;
    QCOMPARE(back.value(2).title, name.endsWith("xspf") ? "Line\nbreak" : "Line break");
    back[2].title = entries[2].title;
    QCOMPARE(back, entries);
}

void tst_PlaylistFile::loadFollowsListedPlaylistsButNoCycle()
{
    QTemporaryDir dir;
    const auto write = [&dir](const char* name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };
    QVERIFY(write("top.m3u", "inner.pls\nlast.mp3") && write("self.m3u", "a.mp3\nself.m3u")
        && write("inner.pls", "[playlist]\nFile1=deep.xspf\nFile2=deep.xspf")
        && write("deep.xspf",
            "<playlist><trackList><track><location>top.m3u</location></track>"
            "</trackList></playlist>"));
    QCOMPARE(PlaylistFile::Load(dir.filePath("self.m3u")).error,
        dir.filePath("self.m3u") + ": The playlist lists itself.");
    const PlaylistFile::Result cycle = PlaylistFile::Load(dir.filePath("top.m3u"));
    QVERIFY(cycle.entries.isEmpty());
    QCOMPARE(cycle.error, dir.filePath("top.m3u") + ": The playlist lists itself.");
    QVERIFY(write("deep.xspf",
        "<playlist><trackList><track><location>c.mp3</location></track>"
        "</trackList></playlist>"));
    QCOMPARE(PlaylistFile::Load(dir.filePath("top.m3u")).entries,
        Entries({ { dir.filePath("c.mp3"), {}, -1 }, { dir.filePath("c.mp3"), {}, -1 },
            { dir.filePath("last.mp3"), {}, -1 } }));
}

QTEST_GUILESS_MAIN(tst_PlaylistFile)
#include "tst_playlistfile.moc"
