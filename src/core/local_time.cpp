#include "core/local_time.h"

#include "core/settings.h"
#include "platform/board.h"

#include <cmath>

QDateTime localTimeFrom(const QDateTime& systemTime, const QString& timeZoneHours) {
    const double hours = double(timeZoneHours.toFloat()); // 0 when not a number
    // A hand-edited "nan", "inf" or "1e30" is no time zone: converting it to seconds would
    // overflow. Any value beyond a day counts as 0, as a text that is no number does.
    if (!std::isfinite(hours) || std::fabs(hours) > 24.0)
        return systemTime;
    return systemTime.addSecs(static_cast<qint64>(hours * 3600.0));
}

QDateTime localTime(const Settings& settings) {
    return localTimeFrom(board::currentDateTime(), settings.timeZone());
}
