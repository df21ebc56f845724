#include "ScreenSaverInhibitor.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace Player {

const char* const ScreenSaverInhibitor::Service = "org.freedesktop.ScreenSaver";
const char* const ScreenSaverInhibitor::Path = "/org/freedesktop/ScreenSaver";

namespace {

QDBusMessage Call(const char* method)
{
    return QDBusMessage::createMethodCall(QString::fromLatin1(ScreenSaverInhibitor::Service),
        QString::fromLatin1(ScreenSaverInhibitor::Path),
        QString::fromLatin1(ScreenSaverInhibitor::Service), QString::fromLatin1(method));
}

} // namespace

ScreenSaverInhibitor::ScreenSaverInhibitor(
    const QDBusConnection& bus, const QString& reason, QObject* parent)
    : QObject(parent)
    , m_bus(bus)
    , m_reason(reason)
{}

ScreenSaverInhibitor::~ScreenSaverInhibitor()
{
    Release();
}

void ScreenSaverInhibitor::SetInhibited(bool inhibited)
{
    if (inhibited == m_wanted)
        return;
    m_wanted = inhibited;
    // While a request is out, its reply settles what was wanted meanwhile.
    if (m_asking)
        return;
    if (inhibited)
        Ask();
    else
        Release();
}

void ScreenSaverInhibitor::Ask()
{
    if (!m_bus.isConnected())
        return;
    QDBusMessage call = Call("Inhibit");
    call << QCoreApplication::applicationName() << m_reason;
    m_asking = true;
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
        [this](QDBusPendingCallWatcher* finished) {
            finished->deleteLater();
            m_asking = false;
            const QDBusPendingReply<uint> reply = *finished;
            // No screensaver service: there is nothing to keep away.
            if (reply.isError())
                return;
            m_cookie = reply.value();
            m_held = true;
            if (!m_wanted)
                Release();
        });
}

void ScreenSaverInhibitor::Release()
{
    if (!m_held)
        return;
    m_held = false;
    QDBusMessage call = Call("UnInhibit");
    call << m_cookie;
    m_bus.send(call);
}

} // namespace Player
