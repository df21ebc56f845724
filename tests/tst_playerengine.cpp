#include "Gui/Reelkit/PlaybackControlPanelLogic.h"
#include "MpvEngine.h"
#include "SampleClips.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using Player::MpvEngine;
using Player::SampleClips;
using Tarvos::avTime;
using Tarvos::Gui::PlaybackControlPanelLogic;

namespace {

constexpr avTime Second = 1000000;

} // namespace

// The engine on real files, without a picture: mpv's null audio output plays
// in real time, so positions, pauses and ends are the engine's own.
class tst_PlayerEngine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void audioFileReportsFromTheEngineThread();
    void pauseAndEndOfFile();
    void unreadableFileEmptiesThePanel();

private:
    QTemporaryDir m_dir;
    QStringList m_samples;
    std::unique_ptr<PlaybackControlPanelLogic> m_panel;
    std::unique_ptr<MpvEngine> m_engine;
};

void tst_PlayerEngine::initTestCase()
{
    if (!SampleClips::CanMake())
        QSKIP("ffmpeg is not installed");
    QString error;
    m_samples = SampleClips::Make(m_dir.path(), &error);
    QVERIFY2(m_samples.size() == 3, qPrintable(error));
}

void tst_PlayerEngine::init()
{
    m_panel = std::make_unique<PlaybackControlPanelLogic>(nullptr);
    m_engine = std::make_unique<MpvEngine>(m_panel.get(), MpvEngine::Options { "null" });
}

void tst_PlayerEngine::cleanup()
{
    m_engine.reset();
    m_panel.reset();
}

void tst_PlayerEngine::audioFileReportsFromTheEngineThread()
{
    QVector<avTime> positions;
    QVector<avTime> durations;
    bool fromEngineThread = true;
    QThread* const gui = QThread::currentThread();
    // Direct connections: the lambdas run wherever the setters were called.
    connect(
        m_panel.get(), &PlaybackControlPanelLogic::SetPositionSignal, this,
        [&](qint64 position) {
            fromEngineThread = fromEngineThread && QThread::currentThread() != gui;
            positions << position;
        },
        Qt::DirectConnection);
    connect(
        m_panel.get(), &PlaybackControlPanelLogic::SetDurationSignal, this,
        [&](avTime duration) { durations << duration; }, Qt::DirectConnection);
    QSignalSpy loaded(m_engine.get(), &MpvEngine::FileLoaded);

    m_engine->Open(m_samples[1].toStdString());
    QTRY_COMPARE(loaded.size(), 1);
    QCOMPARE(loaded.first(), QVariantList({ false, true }));
    QVERIFY(m_engine->IsPaused());
    m_engine->Play();
    QTRY_VERIFY(m_engine->GetPosition() > Second / 2);
    QVERIFY(!m_engine->IsPaused());
    QVERIFY(!positions.isEmpty());
    QVERIFY(fromEngineThread);
    QVERIFY(std::is_sorted(positions.begin(), positions.end()));
    QVERIFY(!durations.isEmpty());
    QCOMPARE(durations.last(), SampleClips::AudioSeconds * Second);
}

void tst_PlayerEngine::pauseAndEndOfFile()
{
    QSignalSpy loaded(m_engine.get(), &MpvEngine::FileLoaded);
    QSignalSpy paused(m_engine.get(), &MpvEngine::PauseChanged);
    QSignalSpy ended(m_engine.get(), &MpvEngine::EndReached);
    m_engine->Open(m_samples[1].toStdString());
    QTRY_COMPARE(loaded.size(), 1);
    m_engine->Play();
    QTRY_VERIFY(!paused.isEmpty() && paused.last().first() == QVariant(false));
    m_engine->Pause();
    QTRY_VERIFY(paused.last().first() == QVariant(true));
    // A report already under way may still come; playback does not go on.
    const avTime held = m_engine->GetPosition();
    QTest::qWait(300);
    QVERIFY(m_engine->GetPosition() - held < Second / 20);
    QVERIFY(ended.isEmpty());

    m_engine->Seek(SampleClips::AudioSeconds * Second - Second / 2);
    m_engine->Play();
    QTRY_COMPARE(ended.size(), 1);
    // mpv waits on the end; playing again starts the file over.
    m_engine->Play();
    QTRY_VERIFY(m_engine->GetPosition() > 0 && m_engine->GetPosition() < Second);
}

void tst_PlayerEngine::unreadableFileEmptiesThePanel()
{
    QSignalSpy failed(m_engine.get(), &MpvEngine::LoadFailed);
    QSignalSpy loaded(m_engine.get(), &MpvEngine::FileLoaded);
    QVector<std::string> sources;
    connect(
        m_panel.get(), &PlaybackControlPanelLogic::SetSourceSignal, this,
        [&](const std::string& fileName, avTime) { sources << fileName; }, Qt::DirectConnection);
    m_engine->Open(m_samples[2].toStdString());
    QTRY_COMPARE(failed.size(), 1);
    QVERIFY(loaded.isEmpty());
    // The panel hears of it before the failure reaches the GUI thread.
    QCOMPARE(sources, QVector<std::string> { std::string() });
}

QTEST_MAIN(tst_PlayerEngine)
#include "tst_playerengine.moc"
