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

} // namespace Tarvos::Gui
