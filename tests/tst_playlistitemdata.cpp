#include "Gui/Reelkit/PlaylistItemData.h"
#include "host/DVDLabel.h"
#include "host/MediaSourceInfo.h"

#include <QtTest>

using Tarvos::ioPath;
using Tarvos::Gui::PlaylistItemData;
using Tarvos::Sarnet::MediaSourceInfo;

namespace {

struct DvdRow
{
    QString path;
    qint64 duration;
    QString name, drive; // no drive: not a DVD
};

} // namespace

Q_DECLARE_METATYPE(DvdRow)

class tst_PlaylistItemData : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void infoConstructor_data();
    void infoConstructor();
    void infoExtracted();
    void travelsInsideQVariant();

private:
    QStringList m_lookedUpDrives;
};

void tst_PlaylistItemData::init()
{
    m_lookedUpDrives.clear();
    // The label is taken as it is, placeholders and all.
    Tarvos::Util::SetDVDLabelLookup([this](const ioPath& drive) {
        m_lookedUpDrives << QString::fromStdString(drive.utf8string());
        return std::string("DÏSC %1");
    });
}

void tst_PlaylistItemData::cleanup()
{
    Tarvos::Util::SetDVDLabelLookup({});
}

void tst_PlaylistItemData::infoConstructor_data()
{
    QTest::addColumn<DvdRow>("row");
    QTest::newRow("scheme is case-sensitive")
        << DvdRow { "DVD://F:/:title=2", 0, "DVD://F:/:title=2", "" };
    QTest::newRow("exactly ten minutes")
        << DvdRow { "dvd://E:/:title=12", 600000000, "DÏSC %1 - Title 12: Bonus", "E:/" };
    QTest::newRow("just over ten minutes")
        << DvdRow { "dvd://E:/:title=12", 600000001, "DÏSC %1 - Title 12: Movie", "E:/" };
    QTest::newRow("negative counts as long")
        << DvdRow { "dvd://E:/:title=1", -1, "DÏSC %1 - Title 1: Movie", "E:/" };
    QTest::newRow("no title part keeps no digits")
        << DvdRow { "dvd://E:/", 0, "DÏSC %1 - Title : Bonus", "E:/" };
    QTest::newRow("digits of the drive without title")
        << DvdRow { "dvd://D2:/", 0, "DÏSC %1 - Title 2: Bonus", "D2:" };
    QTest::newRow("last title part wins")
        << DvdRow { "dvd://E:/:title=7:title=4x2", 0, "DÏSC %1 - Title 42: Bonus", "E:/" };
}

void tst_PlaylistItemData::infoConstructor()
{
    QFETCH(DvdRow, row);
    // Only the information names a DVD title.
    QVERIFY(!PlaylistItemData(ioPath(row.path.toStdString())).IsDVD());
    QVERIFY(m_lookedUpDrives.isEmpty());
    const PlaylistItemData item(
        MediaSourceInfo::Create(ioPath(row.path.toStdString()), row.duration, "dvd"));
    QCOMPARE(item.IsDVD(), !row.drive.isEmpty());
    QCOMPARE(QString::fromStdString(item.GetName()), row.name);
    QCOMPARE(m_lookedUpDrives, row.drive.isEmpty() ? QStringList() : QStringList { row.drive });
    QCOMPARE(item.GetFilename().utf8string(), row.path.toStdString());
    QCOMPARE(item.GetFileDuration(), row.duration);
}

void tst_PlaylistItemData::infoExtracted()
{
    QVERIFY(!PlaylistItemData(ioPath("/a.mkv")).IsInfoExtracted());
    PlaylistItemData item(MediaSourceInfo::Create(ioPath("/a.mkv"), 5, std::string()));
    QVERIFY(!item.IsInfoExtracted());
    item.SetInfo(MediaSourceInfo::Create(ioPath("/a.mkv"), 5, "matroska"));
    QVERIFY(item.IsInfoExtracted());
}

void tst_PlaylistItemData::travelsInsideQVariant()
{
    // Generic views see the name as text, and equal records as equal values.
    PlaylistItemData::MetaTypeId();
    PlaylistItemData item(ioPath("/a.mkv"));
    item.SetSelectedVideoStream(0);
    const QVariant value = QVariant::fromValue(item);
    QCOMPARE(value.toString(), QString("/a.mkv"));
    QCOMPARE(value, QVariant::fromValue(value.value<PlaylistItemData>()));
    item.SetSelectedVideoStream(1);
    QVERIFY(value != QVariant::fromValue(item));
    // Anything else reads as an empty record.
    QVERIFY(QVariant(QStringLiteral("/a.mkv")).value<PlaylistItemData>().GetFilename().empty());
}

QTEST_GUILESS_MAIN(tst_PlaylistItemData)
#include "tst_playlistitemdata.moc"
