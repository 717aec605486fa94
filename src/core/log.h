// Logging: one category per subsystem, so that a maintainer can turn one subsystem's lines
// on or off with QT_LOGGING_RULES (for example "vistrel.wifi.debug=false") without touching
// the others. The messages are the device's own log lines, word for word.
#pragma once

#include <QLoggingCategory>
#include <QString>

Q_DECLARE_LOGGING_CATEGORY(lcApp)
Q_DECLARE_LOGGING_CATEGORY(lcCore)
Q_DECLARE_LOGGING_CATEGORY(lcCapture)
Q_DECLARE_LOGGING_CATEGORY(lcSensors)
Q_DECLARE_LOGGING_CATEGORY(lcScreening)
Q_DECLARE_LOGGING_CATEGORY(lcNet)
Q_DECLARE_LOGGING_CATEGORY(lcOutput)
Q_DECLARE_LOGGING_CATEGORY(lcSmtp)
Q_DECLARE_LOGGING_CATEGORY(lcWifi)
Q_DECLARE_LOGGING_CATEGORY(lcTime)
Q_DECLARE_LOGGING_CATEGORY(lcFirmware)
Q_DECLARE_LOGGING_CATEGORY(lcUi)

namespace logs {

// The two tagged diagnostic lines: "[LOG] hh:mm:ss text" and "[CHK] hh:mm:ss text".
void logLine(const QLoggingCategory& category, const QString& text);
void chkLine(const QLoggingCategory& category, const QString& text);

} // namespace logs
