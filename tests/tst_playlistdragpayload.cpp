#include "Gui/Reelkit/PlaylistDragPayload.h"

#include <QtTest>

using Tarvos::Gui::PlaylistDragPayload;

class tst_PlaylistDragPayload : public QObject
{
    Q_OBJECT

    // Entries as "path", or "*path" for the playing one.
    static QStringList Texts(const QByteArray& payload)
    {
        QStringList texts;
        for (const PlaylistDragPayload::Entry& entry : PlaylistDragPayload::Decode(payload))
            texts << (entry.active ? "*" : "") + QString::fromStdString(entry.path);
        return texts;
    }

private slots:
    void roundTripAndRefusals()
    {
        const QByteArray payload = PlaylistDragPayload::Encode(
            { { "/films/a.mkv", false }, { "*/star.mkv", true }, { "/ü/\"q\".mkv", false } });
        QVERIFY(!payload.contains('\0'));
        QCOMPARE(Texts(payload), QStringList({ "/films/a.mkv", "**/star.mkv", "/ü/\"q\".mkv" }));

        const QByteArray list(R"({"name":"","array":true,"children":[)");
        for (const QByteArray& refused :
            { QByteArray(), QByteArray("/films/a.mkv"), QByteArray(R"({"name":"","string":"/a"})"),
                list + QByteArray(PlaylistDragPayload::MaxSize, ' ') + "]}" })
            QCOMPARE(Texts(refused), QStringList());
        // Only unnamed, non-empty texts without children or zero bytes are taken.
        QCOMPARE(Texts(list
                     + R"({"name":"","string":"/good1"},{"name":"","int":"42"},)"
                       R"({"name":""},{"name":"key","string":"/named"},)"
                       R"({"name":"","string":"/nested","children":[{"name":""}]},)"
                       R"({"name":"","string":"/zero\u0000byte"},{"name":"","string":"*"},)"
                       R"({"name":"","string":"**/star"},{"name":"","string":"*/good2"}]})"),
            QStringList({ "/good1", "**/star", "*/good2" }));
    }
};

QTEST_APPLESS_MAIN(tst_PlaylistDragPayload)
#include "tst_playlistdragpayload.moc"
