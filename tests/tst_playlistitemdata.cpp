#include "Gui/Reelkit/PlaylistItemData.h"
#include "Gui/Reelkit/PlaylistModel.h"
#include "PlaylistModelTester.h"
#include "host/DVDLabel.h"
#include "host/MediaSourceInfo.h"

#include <QtTest>

using Tarvos::avTime;
using Tarvos::ioPath;
using Tarvos::Gui::PlaylistItemData;
using Tarvos::Sarnet::MediaSourceInfo;

class tst_PlaylistItemData : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void pathConstructor();
    void pathConstructorNeverMakesADVD();
    void infoConstructorOfAFile();
    void dvdTitleNames_data();
    void dvdTitleNames();
    void driveOfTheLabelLookup();
    void infoExtracted();
    void copiesShareTheInfo();
    void travelsInsideQVariant();
    void copyFromTheModelCarriesItsRow();

private:
    QStringList m_lookedUpDrives;
};

void tst_PlaylistItemData::init()
{
    m_lookedUpDrives.clear();
    Tarvos::Util::SetDVDLabelLookup([this](const ioPath& drive) {
        m_lookedUpDrives << QString::fromStdString(drive.utf8string());
        return std::string("MY_DISC");
    });
}

void tst_PlaylistItemData::cleanup()
{
    Tarvos::Util::SetDVDLabelLookup({});
}

void tst_PlaylistItemData::pathConstructor()
{
    const PlaylistItemData item(ioPath("/films/a.mkv"));
    QCOMPARE(item.GetFilename().utf8string(), std::string("/films/a.mkv"));
    QCOMPARE(item.GetName(), std::string("/films/a.mkv"));
    QCOMPARE(item.GetFileDuration(), avTime(0));
    QVERIFY(!item.GetActive());
    QVERIFY(!item.GetInfo());
    QVERIFY(item.IsValid());
    QVERIFY(!item.GetUnderDrop());
    QVERIFY(!item.IsDVD());
    QCOMPARE(item.GetSelectedVideoStream(), -1);
    QCOMPARE(item.GetSelectedAudioStream(), -1);
    QVERIFY(!item.GetIndex().isValid());

    const PlaylistItemData empty;
    QVERIFY(empty.GetFilename().empty());
    QVERIFY(empty.IsValid());
    QCOMPARE(empty.GetSelectedAudioStream(), -1);
}

void tst_PlaylistItemData::pathConstructorNeverMakesADVD()
{
    const PlaylistItemData item(ioPath("dvd://E:/:title=1"));
    QVERIFY(!item.IsDVD());
    QCOMPARE(item.GetName(), std::string("dvd://E:/:title=1"));
    QVERIFY(m_lookedUpDrives.isEmpty());
}

void tst_PlaylistItemData::infoConstructorOfAFile()
{
    const PlaylistItemData item(MediaSourceInfo::Create(ioPath("/films/a.mkv"), 1234, "matroska"));
    QCOMPARE(item.GetFilename().utf8string(), std::string("/films/a.mkv"));
    QCOMPARE(item.GetFileDuration(), avTime(1234));
    QVERIFY(!item.IsDVD());
    QCOMPARE(item.GetName(), std::string("/films/a.mkv"));
    QVERIFY(item.GetInfo());
    QVERIFY(item.IsValid());
    QCOMPARE(item.GetSelectedVideoStream(), -1);
    QVERIFY(m_lookedUpDrives.isEmpty());
}

void tst_PlaylistItemData::dvdTitleNames_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<qint64>("duration");
    QTest::addColumn<QString>("name");
    QTest::newRow("movie") << "dvd://E:/:title=3" << 1800000000ll << "MY_DISC - Title 3: Movie";
    QTest::newRow("exactly ten minutes")
        << "dvd://E:/:title=12" << 600000000ll << "MY_DISC - Title 12: Bonus";
    QTest::newRow("just over ten minutes")
        << "dvd://E:/:title=12" << 600000001ll << "MY_DISC - Title 12: Movie";
    QTest::newRow("no duration") << "dvd://E:/:title=1" << 0ll << "MY_DISC - Title 1: Bonus";
    QTest::newRow("negative counts as long")
        << "dvd://E:/:title=1" << -1ll << "MY_DISC - Title 1: Movie";
    QTest::newRow("no title part keeps no digits")
        << "dvd://E:/" << 0ll << "MY_DISC - Title : Bonus";
    QTest::newRow("digits of the drive without title")
        << "dvd://D2:/" << 0ll << "MY_DISC - Title 2: Bonus";
    QTest::newRow("last title part wins")
        << "dvd://E:/:title=7:title=4x2" << 0ll << "MY_DISC - Title 42: Bonus";
}

void tst_PlaylistItemData::dvdTitleNames()
{
    QFETCH(QString, path);
    QFETCH(qint64, duration);
    QFETCH(QString, name);
    const PlaylistItemData item(
        MediaSourceInfo::Create(ioPath(path.toStdString()), duration, "dvd"));
    QVERIFY(item.IsDVD());
    QCOMPARE(QString::fromStdString(item.GetName()), name);
    QCOMPARE(item.GetFilename().utf8string(), path.toStdString());
}

void tst_PlaylistItemData::driveOfTheLabelLookup()
{
    Tarvos::Util::SetDVDLabelLookup([this](const ioPath& drive) {
        m_lookedUpDrives << QString::fromStdString(drive.utf8string());
        return std::string("Ünïcode %1");
    });
    const PlaylistItemData item(MediaSourceInfo::Create(ioPath("dvd://F:/:title=2"), 0, "dvd"));
    QCOMPARE(m_lookedUpDrives, QStringList { "F:/" });
    // The label is taken as it is, placeholders and all.
    QCOMPARE(item.GetName(), std::string("Ünïcode %1 - Title 2: Bonus"));

    const PlaylistItemData scheme(MediaSourceInfo::Create(ioPath("DVD://F:/:title=2"), 0, "dvd"));
    QVERIFY(!scheme.IsDVD());
}

void tst_PlaylistItemData::infoExtracted()
{
    QVERIFY(!PlaylistItemData(ioPath("/a.mkv")).IsInfoExtracted());
    PlaylistItemData item(MediaSourceInfo::Create(ioPath("/a.mkv"), 5, std::string()));
    QVERIFY(!item.IsInfoExtracted());
    item.SetInfo(MediaSourceInfo::Create(ioPath("/a.mkv"), 5, "matroska"));
    QVERIFY(item.IsInfoExtracted());
    item.SetInfo(nullptr);
    QVERIFY(!item.IsInfoExtracted());
}

void tst_PlaylistItemData::copiesShareTheInfo()
{
    const boost::intrusive_ptr<MediaSourceInfo> info
        = MediaSourceInfo::Create(ioPath("/a.mkv"), 5, "matroska");
    QCOMPARE(info->GetRefCount(), 1u);
    {
        PlaylistItemData item(info);
        QCOMPARE(info->GetRefCount(), 2u);
        PlaylistItemData copy(item);
        QCOMPARE(info->GetRefCount(), 3u);
        copy = PlaylistItemData(ioPath("/b.mkv"));
        QCOMPARE(info->GetRefCount(), 2u);
        copy = item;
        QCOMPARE(copy.GetInfo().get(), info.get());
        QCOMPARE(info->GetRefCount(), 3u);
    }
    QCOMPARE(info->GetRefCount(), 1u);
}

void tst_PlaylistItemData::travelsInsideQVariant()
{
    QCOMPARE(QMetaType::typeName(qMetaTypeId<PlaylistItemData>()), "Tarvos::Gui::PlaylistItemData");
    PlaylistItemData item(ioPath("/a.mkv"));
    item.SetActive(true);
    item.SetValid(false);
    item.SetUnderDrop(true);
    item.SetFileDuration(42);
    item.SetSelectedAudioStream(2);
    item.SetSelectedVideoStream(0);
    const PlaylistItemData back = QVariant::fromValue(item).value<PlaylistItemData>();
    QCOMPARE(back.GetFilename().utf8string(), std::string("/a.mkv"));
    QVERIFY(back.GetActive());
    QVERIFY(!back.IsValid());
    QVERIFY(back.GetUnderDrop());
    QCOMPARE(back.GetFileDuration(), avTime(42));
    QCOMPARE(back.GetSelectedAudioStream(), 2);
    QCOMPARE(back.GetSelectedVideoStream(), 0);

    // Generic views see the name as text, and equal records as equal values.
    QCOMPARE(PlaylistItemData::MetaTypeId(), qMetaTypeId<PlaylistItemData>());
    QCOMPARE(QVariant::fromValue(item).toString(), QString("/a.mkv"));
    QCOMPARE(QVariant::fromValue(item), QVariant::fromValue(back));
    PlaylistItemData changed = back;
    changed.SetSelectedVideoStream(1);
    QVERIFY(QVariant::fromValue(changed) != QVariant::fromValue(back));
    QVERIFY(changed != back);

    const PlaylistItemData other = QVariant(QStringLiteral("/a.mkv")).value<PlaylistItemData>();
    QVERIFY(other.GetFilename().empty());
    QVERIFY(!other.GetActive());
}

void tst_PlaylistItemData::copyFromTheModelCarriesItsRow()
{
    Tarvos::Gui::PlaylistModel model;
    PlaylistModelTester tester(&model);
    model.InsertItem(PlaylistItemData(ioPath("/a.mkv")), -1);
    model.InsertItem(PlaylistItemData(ioPath("/b.mkv")), -1);

    const PlaylistItemData item = model.index(1, 0).data().value<PlaylistItemData>();
    const PlaylistItemData copy = item;
    QCOMPARE(copy.GetIndex(), QPersistentModelIndex(model.index(1, 0)));

    // The index follows its row when rows are put in front of it.
    model.InsertItem(PlaylistItemData(ioPath("/c.mkv")), 0);
    QCOMPARE(copy.GetIndex().row(), 2);
    QCOMPARE(copy.GetIndex().data().value<PlaylistItemData>().GetName(), std::string("/b.mkv"));
}

QTEST_GUILESS_MAIN(tst_PlaylistItemData)
#include "tst_playlistitemdata.moc"
