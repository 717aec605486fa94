#include "core/local_time.h"

QDateTime localTimeFrom(const QDateTime& systemTime, const QString& timeZoneHours) {
    const float hours = timeZoneHours.toFloat(); // 0 when not a number
    const qint64 seconds = static_cast<qint64>(static_cast<double>(hours) * 3600.0);
    return systemTime.addSecs(seconds);
}
