#include "MediaSession.h"
#include "Mpris.h"
#include "ScreenSaverInhibitor.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QProcess>
#include <QTest>

using namespace Player;

namespace {

const QString PlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
constexpr qlonglong Second = 1000000;

// Hears the player's property changes as a desktop widget does, into a log.
class Listener : public QObject
{
    Q_OBJECT

public:
    explicit Listener(QStringList* log)
        : m_log(log)
    {}

public slots:
    void Changed(const QString& interface, const QVariantMap& changed, const QStringList&)
    {
        for (auto it = changed.begin(); it != changed.end(); ++it)
            *m_log << interface.section('.', -1) + ' ' + it.key() + '=' + it.value().toString();
    }

private:
    QStringList* m_log;
};

// The desktop's screensaver, counting the inhibitions it holds.
class FakeScreenSaver : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

public:
    QList<uint> held;
    QString asked;

public slots:
    uint Inhibit(const QString& application, const QString& reason)
    {
        asked = application + ": " + reason;
        held << ++m_next;
        return held.last();
    }
    void UnInhibit(uint cookie) { held.removeOne(cookie); }

private:
    uint m_next = 40;
};

} // namespace

// The player's media controls on a private session bus, as the desktop reaches them.
class tst_Mpris : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void controlsReachThePlayer();
    void screenSaverKeptAwayWhilePlaying();

private:
    QDBusConnection Connect(const QString& name)
    {
        QDBusConnection bus = QDBusConnection::connectToBus(m_address, name);
        [&] { QVERIFY2(bus.isConnected(), qPrintable(bus.lastError().message())); }();
        return bus;
    }
    // Calls the player and waits for the answer, the player's side answering meanwhile.
    static QDBusMessage Call(QDBusConnection& bus, const QString& interface, const QString& method,
        const QVariantList& arguments);
    // Reads a property of the player, or sets it when a value is given.
    static QVariant Property(QDBusConnection& bus, const QString& name, const QVariant& value = {});

    QProcess m_daemon;
    QString m_address;
};

void tst_Mpris::initTestCase()
{
    m_daemon.start(QStringLiteral("dbus-daemon"),
        { QStringLiteral("--session"), QStringLiteral("--print-address"),
            QStringLiteral("--nofork") });
    QVERIFY2(m_daemon.waitForReadyRead(10000), "dbus-daemon did not start");
    m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
}

void tst_Mpris::cleanupTestCase()
{
    m_daemon.terminate();
    QVERIFY(m_daemon.waitForFinished(5000));
}

QDBusMessage tst_Mpris::Call(QDBusConnection& bus, const QString& interface, const QString& method,
    const QVariantList& arguments)
{
    QDBusMessage call
        = QDBusMessage::createMethodCall(QString::fromLatin1(MediaSession::ServiceName),
            QString::fromLatin1(MediaSession::ObjectPath), interface, method);
    call.setArguments(arguments);
    return bus.call(call, QDBus::BlockWithGui);
}

QVariant tst_Mpris::Property(QDBusConnection& bus, const QString& name, const QVariant& value)
{
    const QDBusMessage reply = Call(bus, QStringLiteral("org.freedesktop.DBus.Properties"),
        value.isValid() ? QStringLiteral("Set") : QStringLiteral("Get"),
        value.isValid()
            ? QVariantList { PlayerInterface, name, QVariant::fromValue(QDBusVariant(value)) }
            : QVariantList { PlayerInterface, name });
    const QVariant read = reply.arguments().value(0).value<QDBusVariant>().variant();
    return read.canConvert<QDBusArgument>() ? QVariant(qdbus_cast<QVariantMap>(read)) : read;
}

void tst_Mpris::controlsReachThePlayer()
{
    QStringList log;
    Listener listener(&log);
    MediaSession session;
    session.SetTrack({ QStringLiteral("/films/a b.mkv"), QStringLiteral("A b"), 90 * Second });
    session.SetPositionSource([] { return 10 * Second; });
    session.SetCanStep(true, false);
    // The test's player: carries out each request and logs it.
    connect(&session, &MediaSession::PlayPauseRequested, [&] {
        log << "play-pause";
        session.SetStatus(session.GetStatus() == MediaSession::Status::Playing
                ? MediaSession::Status::Paused
                : MediaSession::Status::Playing);
    });
    connect(&session, &MediaSession::StopRequested, [&] {
        log << "stop";
        session.SetStatus(MediaSession::Status::Stopped);
    });
    connect(&session, &MediaSession::NextRequested, [&] { log << "next"; });
    connect(&session, &MediaSession::PreviousRequested, [&] { log << "previous"; });
    connect(&session, &MediaSession::SeekRequested,
        [&](qint64 position) { log << QString("seek %1").arg(position / Second); });
    connect(&session, &MediaSession::VolumeRequested, [&](double volume) {
        log << QString("volume %1").arg(volume);
        session.SetVolume(volume);
    });
    QDBusConnection playerBus = Connect(QStringLiteral("player"));
    QCOMPARE(session.Publish(playerBus), QStringLiteral("org.mpris.MediaPlayer2.reelkit"));
    // A second player takes the name with its instance's suffix.
    MediaSession other;
    QDBusConnection otherBus = Connect(QStringLiteral("other"));
    QCOMPARE(other.Publish(otherBus),
        QStringLiteral("org.mpris.MediaPlayer2.reelkit.instance%1")
            .arg(QCoreApplication::applicationPid()));

    QDBusConnection client = Connect(QStringLiteral("client"));
    const QString service = QString::fromLatin1(MediaSession::ServiceName);
    QVERIFY(client.connect(service, QString::fromLatin1(MediaSession::ObjectPath),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"),
        &listener, SLOT(Changed(QString, QVariantMap, QStringList))));
    const QVariantMap metadata = Property(client, QStringLiteral("Metadata")).toMap();
    QCOMPARE(metadata.value("xesam:title").toString(), QStringLiteral("A b"));
    QCOMPARE(metadata.value("xesam:url").toString(), QStringLiteral("file:///films/a%20b.mkv"));
    QCOMPARE(metadata.value("mpris:length").toLongLong(), 90 * Second);
    const QString track = metadata.value("mpris:trackid").value<QDBusObjectPath>().path();
    QCOMPARE(track, QStringLiteral("/org/reelkit/Track/1"));

    struct Row
    {
        const char* method;
        QVariantList arguments;
        const char* status;
        QStringList log;
    };
    const Row rows[] = {
        { "PlayPause", {}, "Playing", { "play-pause", "Player PlaybackStatus=Playing" } },
        { "Play", {}, "Playing", {} },
        { "Pause", {}, "Paused", { "play-pause", "Player PlaybackStatus=Paused" } },
        { "Pause", {}, "Paused", {} },
        { "Play", {}, "Playing", { "play-pause", "Player PlaybackStatus=Playing" } },
        { "Previous", {}, "Playing", {} },
        { "Next", {}, "Playing", { "next" } },
        { "Seek", { 5 * Second }, "Playing", { "seek 15" } },
        { "Seek", { -20 * Second }, "Playing", { "seek 0" } },
        { "Seek", { 81 * Second }, "Playing", { "next" } },
        { "SetPosition", { QVariant::fromValue(QDBusObjectPath(track)), 30 * Second }, "Playing",
            { "seek 30" } },
        { "SetPosition",
            { QVariant::fromValue(QDBusObjectPath("/org/reelkit/Track/2")), 30 * Second },
            "Playing", {} },
        { "SetPosition", { QVariant::fromValue(QDBusObjectPath(track)), 90 * Second }, "Playing",
            { "seek 90" } },
        { "Stop", {}, "Stopped", { "stop", "Player PlaybackStatus=Stopped" } },
    };
    for (const Row& row : rows) {
        log.clear();
        QCOMPARE(Call(client, PlayerInterface, row.method, row.arguments).type(),
            QDBusMessage::ReplyMessage);
        QTest::qWait(20);
        QCOMPARE(log, row.log);
        QCOMPARE(Property(client, QStringLiteral("PlaybackStatus")).toString(),
            QString::fromLatin1(row.status));
    }
    log.clear();
    Property(client, QStringLiteral("Volume"), -0.5);
    QTRY_COMPARE(log, QStringList({ "volume 0", "Player Volume=0" }));
    log.clear();
    session.SetTrack({});
    QTRY_COMPARE(log.size(), 4);
    QCOMPARE(Property(client, QStringLiteral("Metadata"))
                 .toMap()
                 .value("mpris:trackid")
                 .value<QDBusObjectPath>()
                 .path(),
        QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack"));
    QCOMPARE(log.filter("CanPlay=false").size(), 1);
}

void tst_Mpris::screenSaverKeptAwayWhilePlaying()
{
    QDBusConnection desktop = Connect(QStringLiteral("desktop"));
    FakeScreenSaver saver;
    QDBusConnection bus = Connect(QStringLiteral("inhibitor"));
    {
        // No screensaver yet: the request fails quietly.
        ScreenSaverInhibitor inhibitor(bus, QStringLiteral("Playing a video"));
        inhibitor.SetInhibited(true);
        QTest::qWait(100);
        QVERIFY(desktop.registerObject(
            ScreenSaverInhibitor::Path, &saver, QDBusConnection::ExportAllSlots));
        QVERIFY(desktop.registerService(ScreenSaverInhibitor::Service));
        inhibitor.SetInhibited(false);
        inhibitor.SetInhibited(true);
        QTRY_COMPARE(saver.held, QList<uint>({ 41 }));
        QCOMPARE(saver.asked, QStringLiteral("tst_mpris: Playing a video"));
        inhibitor.SetInhibited(false);
        QTRY_VERIFY(saver.held.isEmpty());
        // Changed back before the reply came: the inhibition is given back at once.
        inhibitor.SetInhibited(true);
        inhibitor.SetInhibited(false);
        QTest::qWait(100);
        QVERIFY(saver.held.isEmpty());
        // Wanted again before the reply came: still one inhibition.
        inhibitor.SetInhibited(true);
        inhibitor.SetInhibited(false);
        inhibitor.SetInhibited(true);
        QTRY_COMPARE(saver.held, QList<uint>({ 43 }));
        QTest::qWait(100);
        QCOMPARE(saver.held, QList<uint>({ 43 }));
    }
    QTRY_VERIFY(saver.held.isEmpty());
}

QTEST_GUILESS_MAIN(tst_Mpris)
#include "tst_mpris.moc"
