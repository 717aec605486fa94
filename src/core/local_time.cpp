#include "core/local_time.h"

#include "core/settings.h"
#include "platform/board.h"

#include <cmath>
#include <limits>

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

std::optional<qint64> systemTimeOfLocal(const QString& typed, const QString& timeZoneHours,
                                        qint64 notBefore) {
    QDateTime local = QDateTime::fromString(typed, QStringLiteral("yyyy-MM-dd HH:mm"));
    if (!local.isValid())
        return std::nullopt;
    local.setTimeSpec(Qt::UTC);
    const QDateTime epoch = QDateTime::fromSecsSinceEpoch(0, Qt::UTC);
    const qint64 zoneSeconds = epoch.secsTo(localTimeFrom(epoch, timeZoneHours));
    const qint64 seconds = local.toSecsSinceEpoch() - zoneSeconds;
    // The board's clock is 32 bits wide: both builds refuse what it cannot hold.
    if (seconds < notBefore || seconds < 0 || seconds > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return seconds;
}
