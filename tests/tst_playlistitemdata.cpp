#include "Gui/Reelkit/PlaylistItemData.h"
#include "host/DVDLabel.h"
#include "host/MediaSourceInfo.h"

#include <QtTest>

using Tarvos::ioPath;
using Tarvos::Gui::PlaylistItemData;
using Tarvos::Sarnet::MediaSourceInfo;

class tst_PlaylistItemData : public QObject
{
    Q_OBJECT

private slots:
    void infoConstructor();
};

void tst_PlaylistItemData::infoConstructor()
{
    QStringList drives;
    // The label is taken as it is, placeholders and all.
    Tarvos::Util::SetDVDLabelLookup([&](const ioPath& drive) {
        drives << QString::fromStdString(drive.utf8string());
        return std::string("DÏSC %1");
    });
    struct Row
    {
        const char* path;
        qint64 duration;
        QString name, drive; // no drive: not a DVD
    };
    // Titles up to ten minutes long are bonus material; the scheme is case-sensitive.
    for (const Row& row : { Row { "DVD://F:/:title=2", 0, "DVD://F:/:title=2", "" },
             Row { "dvd://E:/:title=12", 600000000, "DÏSC %1 - Title 12: Bonus", "E:/" },
             Row { "dvd://E:/:title=12", 600000001, "DÏSC %1 - Title 12: Movie", "E:/" },
             Row { "dvd://E:/:title=1", -1, "DÏSC %1 - Title 1: Movie", "E:/" },
             Row { "dvd://E:/", 0, "DÏSC %1 - Title : Bonus", "E:/" },
             Row { "dvd://D2:/", 0, "DÏSC %1 - Title 2: Bonus", "D2:" },
             Row { "dvd://E:/:title=7:title=4x2", 0, "DÏSC %1 - Title 42: Bonus", "E:/" } }) {
        drives.clear();
        // Only the information names a DVD title.
        QVERIFY(!PlaylistItemData(ioPath(row.path)).IsDVD());
        QVERIFY(drives.isEmpty());
        const PlaylistItemData item(MediaSourceInfo::Create(ioPath(row.path), row.duration, "dvd"));
        QCOMPARE(item.IsDVD(), !row.drive.isEmpty());
        QCOMPARE(QString::fromStdString(item.GetName()), row.name);
        QCOMPARE(drives, row.drive.isEmpty() ? QStringList() : QStringList { row.drive });
        QCOMPARE(item.GetFilename().utf8string(), std::string(row.path));
        QCOMPARE(item.GetFileDuration(), row.duration);
    }
    Tarvos::Util::SetDVDLabelLookup({});

    // Information counts as extracted once it names a format.
    PlaylistItemData item(MediaSourceInfo::Create(ioPath("/a.mkv"), 5, std::string()));
    QVERIFY(!item.IsInfoExtracted());
    item.SetInfo(MediaSourceInfo::Create(ioPath("/a.mkv"), 5, "matroska"));
    QVERIFY(item.IsInfoExtracted());
    // Two records without a row are the same only if everything else is.
    QVERIFY(PlaylistItemData(ioPath("/a.mkv")) != PlaylistItemData(ioPath("/b.mkv")));
}

QTEST_GUILESS_MAIN(tst_PlaylistItemData)
#include "tst_playlistitemdata.moc"
