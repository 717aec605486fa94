#pragma once

#include <QDateTime>
#include <QString>

// The device's local time: the system time plus the time-zone setting in hours (decimal
// text, may be fractional or negative; anything that is not a number counts as 0),
// truncated to whole seconds.
QDateTime localTimeFrom(const QDateTime& systemTime, const QString& timeZoneHours);

class Settings;

// The device's local time now: the board's clock plus the time-zone setting.
QDateTime localTime(const Settings& settings);
