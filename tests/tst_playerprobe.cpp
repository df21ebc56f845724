#include "MediaProbe.h"
#include "SampleClips.h"
#include "host/FormatTags.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using Player::MediaProbe;
using Player::SampleClips;
using Tarvos::Core::Property;
using Tarvos::Sarnet::MediaType;
namespace Conf = Tarvos::Conf;

class tst_PlayerProbe : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void videoWithTwoTaggedAudioTracks();
    void audioOnly();
    void unreadable_data();
    void unreadable();
    void answersArriveInOrderOnTheGuiThread();
    void destroyedWithRequestsPending();

private:
    QTemporaryDir m_dir;
    QStringList m_samples;
};

void tst_PlayerProbe::initTestCase()
{
    if (!SampleClips::CanMake())
        QSKIP("ffmpeg is not installed");
    QVERIFY(m_dir.isValid());
    QString error;
    m_samples = SampleClips::Make(m_dir.filePath(QStringLiteral("samples")), &error);
    QVERIFY2(m_samples.size() == 3, qPrintable(error));
}

void tst_PlayerProbe::videoWithTwoTaggedAudioTracks()
{
    const MediaProbe::InfoPtr info = MediaProbe::Describe(m_samples[0].toStdString());
    QVERIFY(info);
    QCOMPARE(info->GetFormatId(), std::string("matroska,webm"));
    // The audio encoder's priming makes the file a few milliseconds longer.
    const Tarvos::avTime expected = SampleClips::VideoSeconds * Tarvos::avTime(1000000);
    QVERIFY2(info->GetDuration() >= expected && info->GetDuration() < expected + 100000,
        qPrintable(QString::number(info->GetDuration())));
    QCOMPARE(info->GetStreamCount(), 3u);
    QCOMPARE(info->GetStreamMediaType(0), MediaType::Video);
    QCOMPARE(info->GetStreamMediaType(1), MediaType::Audio);
    QCOMPARE(info->GetStreamMediaType(2), MediaType::Audio);

    const Property& video = info->GetStreamCodecInfo(0);
    QCOMPARE(video[Conf::IFormatCodec::TAG_CODEC_ID].GetString(), std::string("h264"));
    QCOMPARE(video[Conf::IFormatCodecVideo::TAG_WIDTH].GetInt64(), qint64(SampleClips::VideoWidth));
    QCOMPARE(
        video[Conf::IFormatCodecVideo::TAG_HEIGHT].GetInt64(), qint64(SampleClips::VideoHeight));
    QCOMPARE(video[Conf::IFormatCodecVideo::TAG_FPS].GetRatio(),
        Property::Ratio(SampleClips::VideoRate, 1));
    QCOMPARE(video[Conf::IFormatCodec::TAG_MAIN_STREAM].GetBool(), true);

    struct Expected
    {
        unsigned stream;
        bool main;
        const char* language;
        const char* title;
    };
    for (const Expected& audio :
        { Expected { 1, true, "eng", "Main" }, Expected { 2, false, "fre", "Commentary" } }) {
        const Property& codec = info->GetStreamCodecInfo(audio.stream);
        QCOMPARE(codec[Conf::IFormatCodec::TAG_CODEC_ID].GetString(), std::string("aac"));
        QCOMPARE(codec[Conf::IFormatCodec::TAG_MAIN_STREAM].GetBool(), audio.main);
        const Property& metadata = codec["metadata"];
        QCOMPARE(
            metadata[Conf::IFormatCodec::TAG_LANGUAGE].GetString(), std::string(audio.language));
        QCOMPARE(metadata[Conf::IFormatFile::TAG_TITLE].GetString(), std::string(audio.title));
    }
}

void tst_PlayerProbe::audioOnly()
{
    const MediaProbe::InfoPtr info = MediaProbe::Describe(m_samples[1].toStdString());
    QVERIFY(info);
    QCOMPARE(info->GetFormatId(), std::string("flac"));
    QCOMPARE(info->GetDuration(), SampleClips::AudioSeconds * Tarvos::avTime(1000000));
    QCOMPARE(info->GetStreamCount(), 1u);
    QCOMPARE(info->GetStreamMediaType(0), MediaType::Audio);
    const Property& codec = info->GetStreamCodecInfo(0);
    QCOMPARE(codec[Conf::IFormatCodec::TAG_CODEC_ID].GetString(), std::string("flac"));
    // Untagged: the metadata node is there, without language or title.
    QVERIFY(codec.ChildExists("metadata"));
    QCOMPARE(codec["metadata"].Count(), 0u);
}

void tst_PlayerProbe::unreadable_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("text named like a video") << QString();
    QTest::newRow("missing") << QStringLiteral("/nonexistent/clip.mkv");
    QTest::newRow("folder") << QStringLiteral("/");
}

void tst_PlayerProbe::unreadable()
{
    QFETCH(QString, path);
    if (path.isEmpty())
        path = m_samples[2];
    QVERIFY(!MediaProbe::Describe(path.toStdString()));
}

void tst_PlayerProbe::answersArriveInOrderOnTheGuiThread()
{
    MediaProbe probe;
    QStringList answers;
    QVector<QThread*> threads;
    connect(&probe, &MediaProbe::Described, this, [&](const MediaProbe::InfoPtr& info) {
        answers << QStringLiteral("ok ") + QString::fromStdString(info->GetFilePath().utf8string());
        threads << QThread::currentThread();
    });
    connect(&probe, &MediaProbe::Failed, this, [&](const std::string& path) {
        answers << QStringLiteral("failed ") + QString::fromStdString(path);
        threads << QThread::currentThread();
    });
    for (const QString& path : { m_samples[0], m_samples[2], m_samples[1] })
        probe.Probe(path.toStdString());
    QTRY_COMPARE(answers.size(), 3);
    QCOMPARE(answers,
        QStringList({ QStringLiteral("ok ") + m_samples[0],
            QStringLiteral("failed ") + m_samples[2], QStringLiteral("ok ") + m_samples[1] }));
    QCOMPARE(threads, QVector<QThread*>(3, QThread::currentThread()));
}

void tst_PlayerProbe::destroyedWithRequestsPending()
{
    auto* probe = new MediaProbe;
    QSignalSpy described(probe, &MediaProbe::Described);
    for (int i = 0; i < 20; ++i)
        probe->Probe(m_samples[0].toStdString());
    delete probe;
    // Answers already posted to this thread die with their sender.
    QTest::qWait(50);
}

QTEST_MAIN(tst_PlayerProbe)
#include "tst_playerprobe.moc"
