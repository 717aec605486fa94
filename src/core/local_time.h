#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

// The device's local time: the system time plus the time-zone setting in hours (decimal
// text, may be fractional or negative; anything that is not a number counts as 0),
// truncated to whole seconds.
QDateTime localTimeFrom(const QDateTime& systemTime, const QString& timeZoneHours);

class Settings;

// The device's local time now: the board's clock plus the time-zone setting.
QDateTime localTime(const Settings& settings);

// The system time (UTC seconds) of a local date and time the operator typed as
// "yyyy-MM-dd HH:mm" under the time-zone setting; nothing when it is no such time, lies
// before `notBefore` (a time the device already trusted: time does not go back), or past
// what the board's 32-bit clock can hold.
std::optional<qint64> systemTimeOfLocal(const QString& typed, const QString& timeZoneHours,
                                        qint64 notBefore);
