#include "host/DVDLabel.h"
#include "host/FormatTags.h"
#include "host/LocalizationManager.h"
#include "host/MediaSourceInfo.h"
#include "host/T2S.h"

#include <QtTest>
#include <limits>

using namespace Tarvos;

class tst_HostServices : public QObject
{
    Q_OBJECT

private slots:
    void timeToText_data();
    void timeToText();
    void namesOfFormats();
    void dvdLabelLookupCanBeReplaced();
    void mediaSourceInfo();
};

void tst_HostServices::timeToText_data()
{
    QTest::addColumn<qint64>("time");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0ll << "0:00:00.000000";
    QTest::newRow("past a day") << 90061000001ll << "25:01:01.000001";
    QTest::newRow("negative") << -1500000ll << "-0:00:01.500000";
    QTest::newRow("most negative")
        << std::numeric_limits<qint64>::min() << "-2562047788:00:54.775808";
}

void tst_HostServices::timeToText()
{
    QFETCH(qint64, time);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(Proc::T2S(time)), text);
}

void tst_HostServices::namesOfFormats()
{
    const Core::LocalizationManager& manager = Core::GetLocalizationManager();
    QCOMPARE(manager.GetCodecName("ac3"), std::string("Dolby Digital"));
    // Unknown identifiers are shown as they are.
    QCOMPARE(manager.GetCodecName("x-weird"), std::string("x-weird"));
    for (const char* image : { "image2", "png_pipe" })
        QVERIFY2(Conf::IsImageContainer(image), image);
    for (const char* other : { "matroska,webm", "_pipe", "" })
        QVERIFY2(!Conf::IsImageContainer(other), other);
}

void tst_HostServices::dvdLabelLookupCanBeReplaced()
{
    QStringList asked;
    Util::SetDVDLabelLookup([&asked](const ioPath& drive) {
        asked << QString::fromStdString(drive.utf8string());
        return std::string("MY_MOVIE");
    });
    QCOMPARE(Util::DVDLabel(ioPath("E:/")), std::string("MY_MOVIE"));
    QCOMPARE(asked, QStringList { "E:/" });
    // Back to the system lookup: a drive that does not exist has no label.
    Util::SetDVDLabelLookup({});
    QCOMPARE(Util::DVDLabel(ioPath("Q:/")), std::string());
    QCOMPARE(asked.size(), 1);
}

void tst_HostServices::mediaSourceInfo()
{
    const auto info = Sarnet::MediaSourceInfo::Create(ioPath("/a.mkv"), 5000000, std::string());
    QVERIFY(info->IsEmpty());
    QCOMPARE(info->GetStreamMediaType(0), Sarnet::MediaType::Unknown);
    QCOMPARE(info->GetStreamCodecInfo(0).Count(), 0u);
    QVERIFY(!Sarnet::MediaSourceInfo::Create(ioPath(), 0, "matroska,webm")->IsEmpty());

    Core::Property video("video");
    video.SetChild(Conf::IFormatCodecVideo::TAG_WIDTH, 1920);
    info->AddStream(Sarnet::MediaType::Video, video);
    info->AddStream(Sarnet::MediaType::Audio, Core::Property("audio"));
    QVERIFY(!info->IsEmpty());
    // The numbers the playlist's track menu relies on.
    QCOMPARE(int(info->GetStreamMediaType(0)), 1);
    QCOMPARE(int(info->GetStreamMediaType(1)), 2);
    QCOMPARE(info->GetStreamCodecInfo(0), video);
}

QTEST_GUILESS_MAIN(tst_HostServices)
#include "tst_hostservices.moc"
