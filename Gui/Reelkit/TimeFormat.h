#pragma once

#include <QString>
#include <QStringList>

class QTime;

namespace Tarvos::Gui {

// Picks, among time formats, the one that shows a time with the least loss.
class TimeFormat
{
public:
    // The format of `formats` whose text of `time`, parsed back, lies closest
    // to `time`; the earlier one on equal loss. `fallback` when the list is empty.
    static QString BestFitting(
        const QTime& time, const QStringList& formats, const QString& fallback);
    // A time as a screen reader speaks it: "m:ss" below an hour, "h:mm:ss"
    // from then on, hours uncapped; negative times read as 0:00.
    static QString Spoken(qint64 milliseconds);

private:
    static constexpr int ParsedTextsKept = 64;
};

} // namespace Tarvos::Gui
