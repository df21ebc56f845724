#include "host/DVDLabel.h"
#include "host/FormatTags.h"
#include "host/LocalizationManager.h"
#include "host/MediaSourceInfo.h"
#include "host/T2S.h"

#include <QtTest>
#include <limits>
#include <set>

using namespace Tarvos;

class tst_HostServices : public QObject
{
    Q_OBJECT

private slots:
    void timeToText_data();
    void timeToText();
    void codecNames_data();
    void codecNames();
    void imageContainers_data();
    void imageContainers();
    void dvdLabelLookupCanBeReplaced();
    void mediaSourceInfo();
    void tagsAreDistinct();
};

void tst_HostServices::timeToText_data()
{
    QTest::addColumn<qint64>("time");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0ll << "0:00:00.000000";
    QTest::newRow("one microsecond") << 1ll << "0:00:00.000001";
    QTest::newRow("ninety minutes") << 5400000000ll << "1:30:00.000000";
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

void tst_HostServices::codecNames_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("name");
    QTest::newRow("h264") << "h264"
                          << "H.264 / AVC";
    QTest::newRow("ac3") << "ac3"
                         << "Dolby Digital";
    QTest::newRow("unknown falls back") << "x-weird"
                                        << "x-weird";
    QTest::newRow("empty") << ""
                           << "";
}

void tst_HostServices::codecNames()
{
    QFETCH(QString, id);
    QFETCH(QString, name);
    const Core::LocalizationManager& manager = Core::GetLocalizationManager();
    QCOMPARE(&manager, &Core::GetLocalizationManager());
    QCOMPARE(QString::fromStdString(manager.GetCodecName(id.toStdString())), name);
}

void tst_HostServices::imageContainers_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("image");
    QTest::newRow("image2") << "image2" << true;
    QTest::newRow("png pipe") << "png_pipe" << true;
    QTest::newRow("jpeg pipe") << "jpeg_pipe" << true;
    QTest::newRow("matroska") << "matroska,webm" << false;
    QTest::newRow("mp4") << "mov,mp4,m4a,3gp,3g2,mj2" << false;
    QTest::newRow("bare suffix") << "_pipe" << false;
    QTest::newRow("empty") << "" << false;
}

void tst_HostServices::imageContainers()
{
    QFETCH(QString, format);
    QFETCH(bool, image);
    QCOMPARE(Conf::IsImageContainer(format.toStdString()), image);
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

    Util::SetDVDLabelLookup({});
    // Back to the system lookup: a drive that does not exist has no label.
    QCOMPARE(Util::DVDLabel(ioPath("Q:/")), std::string());
    QCOMPARE(asked.size(), 1);
}

void tst_HostServices::mediaSourceInfo()
{
    boost::intrusive_ptr<Sarnet::MediaSourceInfo> info
        = Sarnet::MediaSourceInfo::Create(ioPath("/a.mkv"), 5000000, std::string());
    QVERIFY(info->IsEmpty());
    QCOMPARE(info->GetFilePath().utf8string(), std::string("/a.mkv"));
    QCOMPARE(info->GetDuration(), avTime(5000000));

    Core::Property video("video");
    video.SetChild(Conf::IFormatCodecVideo::TAG_WIDTH, 1920);
    video.SetChild(Conf::IFormatCodecVideo::TAG_FPS, Core::Property::Ratio(25, 1));
    info->AddStream(Sarnet::MediaType::Video, video);
    Core::Property audio("audio");
    audio["metadata"].SetChild(Conf::IFormatCodec::TAG_LANGUAGE, "deu");
    info->AddStream(Sarnet::MediaType::Audio, audio);
    QVERIFY(!info->IsEmpty());

    boost::intrusive_ptr<const Sarnet::MediaSourceInfo> shared = info;
    QCOMPARE(shared->GetStreamCount(), 2u);
    QCOMPARE(shared->GetStreamMediaType(0), Sarnet::MediaType::Video);
    QCOMPARE(shared->GetStreamMediaType(1), Sarnet::MediaType::Audio);
    QCOMPARE(int(shared->GetStreamMediaType(1)), 2);
    QCOMPARE(shared->GetStreamMediaType(2), Sarnet::MediaType::Unknown);
    QCOMPARE(shared->GetStreamCodecInfo(0)[Conf::IFormatCodecVideo::TAG_WIDTH].GetInt64(),
        std::int64_t(1920));
    QCOMPARE(
        shared->GetStreamCodecInfo(1)["metadata"][Conf::IFormatCodec::TAG_LANGUAGE].GetString(),
        std::string("deu"));
    QCOMPARE(shared->GetStreamCodecInfo(9).Count(), 0u);

    const boost::intrusive_ptr<Sarnet::MediaSourceInfo> formatOnly
        = Sarnet::MediaSourceInfo::Create(ioPath(), 0, "matroska,webm");
    QVERIFY(!formatOnly->IsEmpty());
}

void tst_HostServices::tagsAreDistinct()
{
    const std::vector<std::string> tags = { Conf::IFormatCodecVideo::TAG_WIDTH,
        Conf::IFormatCodecVideo::TAG_HEIGHT, Conf::IFormatCodecVideo::TAG_FPS,
        Conf::IFormatCodec::TAG_CODEC_ID, Conf::IFormatCodec::TAG_MAIN_STREAM,
        Conf::IFormatCodec::TAG_LANGUAGE, Conf::IFormatFile::TAG_TITLE };
    const std::set<std::string> unique(tags.begin(), tags.end());
    QCOMPARE(unique.size(), tags.size());
    QVERIFY(unique.count(std::string()) == 0);
}

QTEST_GUILESS_MAIN(tst_HostServices)
#include "tst_hostservices.moc"
