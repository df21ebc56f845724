#include "Gui/Reelkit/PlaylistDragPayload.h"

#include <QtTest>

using Tarvos::Gui::PlaylistDragPayload;

namespace {

// Entries as "path" or "*path" for the playing one.
QStringList Texts(const std::vector<PlaylistDragPayload::Entry>& entries)
{
    QStringList texts;
    for (const PlaylistDragPayload::Entry& entry : entries)
        texts << (entry.active ? "*" : "") + QString::fromStdString(entry.path);
    return texts;
}

struct Row
{
    QByteArray payload;
    QStringList entries;
};

} // namespace

Q_DECLARE_METATYPE(Row)

class tst_PlaylistDragPayload : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip();
    void decode_data();
    void decode();
};

void tst_PlaylistDragPayload::roundTrip()
{
    const std::vector<PlaylistDragPayload::Entry> entries
        = { { "/films/a.mkv", false }, { "*/star.mkv", true }, { "/ü/\"q\".mkv", false } };
    const QByteArray payload = PlaylistDragPayload::Encode(entries);
    QVERIFY(!payload.contains('\0'));
    QCOMPARE(Texts(PlaylistDragPayload::Decode(payload)),
        QStringList({ "/films/a.mkv", "**/star.mkv", "/ü/\"q\".mkv" }));
    QVERIFY(PlaylistDragPayload::Decode(PlaylistDragPayload::Encode({})).empty());
}

void tst_PlaylistDragPayload::decode_data()
{
    QTest::addColumn<Row>("row");
    QTest::newRow("empty") << Row { QByteArray(), {} };
    QTest::newRow("not a tree") << Row { "/films/a.mkv", {} };
    QTest::newRow("not an array") << Row { R"({"name":"","string":"/a"})", {} };
    QTest::newRow("over the limit") << Row { QByteArray(R"({"name":"","array":true,"children":[)")
            + QByteArray(PlaylistDragPayload::MaxSize, ' ') + "]}",
        {} };
    QTest::newRow("odd entries around good ones")
        << Row { R"({"name":"","array":true,"children":[)"
                 R"({"name":"","string":"/good1"},)"
                 R"({"name":"","int":"42"},)"
                 R"({"name":""},)"
                 R"({"name":"key","string":"/named"},)"
                 R"({"name":"","string":"/nested","children":[{"name":"","string":"/x"}]},)"
                 R"({"name":"","string":"/zero\u0000byte"},)"
                 R"({"name":"","string":"*"},)"
                 R"({"name":"","string":"**/star"},)"
                 R"({"name":"","string":"*/good2"}]})",
               { "/good1", "**/star", "*/good2" } };
}

void tst_PlaylistDragPayload::decode()
{
    QFETCH(Row, row);
    QCOMPARE(Texts(PlaylistDragPayload::Decode(row.payload)), row.entries);
}

QTEST_MAIN(tst_PlaylistDragPayload)
#include "tst_playlistdragpayload.moc"
