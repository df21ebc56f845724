#pragma once

#include <QDBusConnection>
#include <QObject>

namespace Player {

// Keeps the desktop's screensaver away while wanted, through the session's
// screensaver service; without one it does nothing. Replies come
// asynchronously, so the window never waits on the bus.
class ScreenSaverInhibitor : public QObject
{
    Q_OBJECT

public:
    static const char* const Service;
    static const char* const Path;

    ScreenSaverInhibitor(
        const QDBusConnection& bus, const QString& reason, QObject* parent = nullptr);
    // Gives the inhibition back.
    ~ScreenSaverInhibitor() override;

    void SetInhibited(bool inhibited);

private:
    void Ask();
    void Release();

    QDBusConnection m_bus;
    QString m_reason;
    bool m_wanted = false;
    bool m_asking = false;
    bool m_held = false;
    uint m_cookie = 0;
};

} // namespace Player
