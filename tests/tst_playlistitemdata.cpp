#include "Gui/Reelkit/PlaylistItemData.h"
#include "Gui/Reelkit/PlaylistModel.h"
#include "PlaylistModelTester.h"
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
    void init();
    void cleanup();
    void pathConstructorNeverMakesADVD();
    void infoConstructor_data();
    void infoConstructor();
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

void tst_PlaylistItemData::pathConstructorNeverMakesADVD()
{
    const PlaylistItemData item(ioPath("dvd://E:/:title=1"));
    QVERIFY(!item.IsDVD());
    QCOMPARE(item.GetName(), std::string("dvd://E:/:title=1"));
    QVERIFY(m_lookedUpDrives.isEmpty());
}

void tst_PlaylistItemData::infoConstructor_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<qint64>("duration");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("drive");
    QTest::newRow("scheme is case-sensitive") << "DVD://F:/:title=2" << 0ll << "DVD://F:/:title=2"
                                              << "";
    QTest::newRow("exactly ten minutes")
        << "dvd://E:/:title=12" << 600000000ll << "DÏSC %1 - Title 12: Bonus"
        << "E:/";
    QTest::newRow("just over ten minutes")
        << "dvd://E:/:title=12" << 600000001ll << "DÏSC %1 - Title 12: Movie"
        << "E:/";
    QTest::newRow("negative counts as long")
        << "dvd://E:/:title=1" << -1ll << "DÏSC %1 - Title 1: Movie"
        << "E:/";
    QTest::newRow("no title part keeps no digits")
        << "dvd://E:/" << 0ll << "DÏSC %1 - Title : Bonus"
        << "E:/";
    QTest::newRow("digits of the drive without title")
        << "dvd://D2:/" << 0ll << "DÏSC %1 - Title 2: Bonus"
        << "D2:";
    QTest::newRow("last title part wins")
        << "dvd://E:/:title=7:title=4x2" << 0ll << "DÏSC %1 - Title 42: Bonus"
        << "E:/";
}

void tst_PlaylistItemData::infoConstructor()
{
    QFETCH(QString, path);
    QFETCH(qint64, duration);
    QFETCH(QString, name);
    QFETCH(QString, drive);
    const auto info = MediaSourceInfo::Create(ioPath(path.toStdString()), duration, "dvd");
    const PlaylistItemData item(info);
    QCOMPARE(item.IsDVD(), !drive.isEmpty());
    QCOMPARE(QString::fromStdString(item.GetName()), name);
    QCOMPARE(m_lookedUpDrives, drive.isEmpty() ? QStringList() : QStringList { drive });
    QCOMPARE(item.GetFilename().utf8string(), path.toStdString());
}

void tst_PlaylistItemData::infoExtracted()
{
    QVERIFY(!PlaylistItemData(ioPath("/a.mkv")).IsInfoExtracted());
    PlaylistItemData item(MediaSourceInfo::Create(ioPath("/a.mkv"), 5, std::string()));
    QVERIFY(!item.IsInfoExtracted());
    item.SetInfo(MediaSourceInfo::Create(ioPath("/a.mkv"), 5, "matroska"));
    QVERIFY(item.IsInfoExtracted());
}

void tst_PlaylistItemData::copiesShareTheInfo()
{
    const auto info = MediaSourceInfo::Create(ioPath("/a.mkv"), 5, "matroska");
    {
        PlaylistItemData item(info);
        PlaylistItemData copy(item);
        QCOMPARE(info->GetRefCount(), 3u);
        copy = PlaylistItemData(ioPath("/b.mkv"));
        QCOMPARE(info->GetRefCount(), 2u);
        copy = item;
        QCOMPARE(info->GetRefCount(), 3u);
    }
    QCOMPARE(info->GetRefCount(), 1u);
}

void tst_PlaylistItemData::travelsInsideQVariant()
{
    QCOMPARE(PlaylistItemData::MetaTypeId(), qMetaTypeId<PlaylistItemData>());
    QCOMPARE(QByteArray(QMetaType(qMetaTypeId<PlaylistItemData>()).name()),
        QByteArray("Tarvos::Gui::PlaylistItemData"));
    PlaylistItemData item(ioPath("/a.mkv"));
    item.SetActive(true);
    item.SetValid(false);
    item.SetUnderDrop(true);
    item.SetSelectedVideoStream(0);
    const PlaylistItemData back = QVariant::fromValue(item).value<PlaylistItemData>();
    QCOMPARE(back.GetFilename().utf8string(), std::string("/a.mkv"));
    QVERIFY(back.GetActive() && !back.IsValid() && back.GetUnderDrop());
    QCOMPARE(back.GetSelectedVideoStream(), 0);

    // Generic views see the name as text, and equal records as equal values.
    QCOMPARE(QVariant::fromValue(item).toString(), QString("/a.mkv"));
    QCOMPARE(QVariant::fromValue(item), QVariant::fromValue(back));
    PlaylistItemData changed = back;
    changed.SetSelectedVideoStream(1);
    QVERIFY(QVariant::fromValue(changed) != QVariant::fromValue(back));

    // Anything else reads as an empty record.
    const PlaylistItemData other = QVariant(QStringLiteral("/a.mkv")).value<PlaylistItemData>();
    QVERIFY(other.GetFilename().empty() && !other.GetActive());
}

void tst_PlaylistItemData::copyFromTheModelCarriesItsRow()
{
    Tarvos::Gui::PlaylistModel model;
    PlaylistModelTester tester(&model);
    model.InsertItem(PlaylistItemData(ioPath("/a.mkv")), -1);
    model.InsertItem(PlaylistItemData(ioPath("/b.mkv")), -1);
    const PlaylistItemData copy = model.index(1, 0).data().value<PlaylistItemData>();
    QCOMPARE(copy.GetIndex(), QPersistentModelIndex(model.index(1, 0)));

    // The index follows its row when rows are put in front of it.
    model.InsertItem(PlaylistItemData(ioPath("/c.mkv")), 0);
    QCOMPARE(copy.GetIndex().row(), 2);
    QCOMPARE(copy.GetIndex().data().value<PlaylistItemData>().GetName(), std::string("/b.mkv"));
}

QTEST_GUILESS_MAIN(tst_PlaylistItemData)
#include "tst_playlistitemdata.moc"
