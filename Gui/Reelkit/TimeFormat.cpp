#include "Gui/Reelkit/TimeFormat.h"

#include <QStringList>
#include <QTime>
#include <cmath>

namespace Tarvos::Gui {

QString TimeFormat::BestFitting(
    const QTime& time, const QStringList& formats, const QString& fallback)
{
    QString chosen = fallback;
    double bestError = 1e300;
    for (const QString& format : formats) {
        const QTime parsed = QTime::fromString(time.toString(format), format);
        const double error = std::abs(static_cast<double>(time.msecsTo(parsed)));
        if (error < bestError) {
            chosen = format;
            bestError = error;
        }
    }
    return chosen;
}

QString TimeFormat::Spoken(qint64 milliseconds)
{
    const qint64 seconds = qMax<qint64>(milliseconds, 0) / 1000;
    const QString minutesAndSeconds
        = QStringLiteral("%1:%2")
              .arg(seconds / 60 % 60, seconds >= 3600 ? 2 : 1, 10, QLatin1Char('0'))
              .arg(seconds % 60, 2, 10, QLatin1Char('0'));
    if (seconds < 3600)
        return minutesAndSeconds;
    return QStringLiteral("%1:%2").arg(seconds / 3600).arg(minutesAndSeconds);
}

} // namespace Tarvos::Gui
