#include "Gui/Reelkit/TimeFormat.h"

#include <QHash>
#include <QPair>
#include <QStringList>
#include <QTime>
#include <cmath>

namespace Tarvos::Gui {

QString TimeFormat::BestFitting(
    const QTime& time, const QStringList& formats, const QString& fallback)
{
    // Parsing is the costly part, and a playing time's text changes about once
    // a second: the texts parsed last are kept, per thread.
    thread_local QHash<QPair<QString, QString>, QTime> parsedTexts;
    if (parsedTexts.size() > ParsedTextsKept)
        parsedTexts.clear();
    QString chosen = fallback;
    double bestError = 1e300;
    for (const QString& format : formats) {
        const QPair<QString, QString> key(format, time.toString(format));
        auto cached = parsedTexts.constFind(key);
        if (cached == parsedTexts.cend())
            cached = parsedTexts.insert(key, QTime::fromString(key.second, format));
        const QTime parsed = *cached;
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
