#include "core/log.h"

#include <QTime>

Q_LOGGING_CATEGORY(lcApp, "vistrel.app")
Q_LOGGING_CATEGORY(lcCore, "vistrel.core")
Q_LOGGING_CATEGORY(lcCapture, "vistrel.capture")
Q_LOGGING_CATEGORY(lcSensors, "vistrel.sensors")
Q_LOGGING_CATEGORY(lcScreening, "vistrel.screening")
Q_LOGGING_CATEGORY(lcNet, "vistrel.net")
Q_LOGGING_CATEGORY(lcOutput, "vistrel.output")
Q_LOGGING_CATEGORY(lcSmtp, "vistrel.smtp")
Q_LOGGING_CATEGORY(lcWifi, "vistrel.wifi")
Q_LOGGING_CATEGORY(lcTime, "vistrel.time")
Q_LOGGING_CATEGORY(lcFirmware, "vistrel.firmware")
Q_LOGGING_CATEGORY(lcUi, "vistrel.ui")

namespace logs {

namespace {
void tagged(const QLoggingCategory& category, const char* tag, const QString& text) {
    qCDebug(category, "%s %s %s", tag, qPrintable(QTime::currentTime().toString("hh:mm:ss")),
            qPrintable(text));
}
} // namespace

void logLine(const QLoggingCategory& category, const QString& text) {
    tagged(category, "[LOG]", text);
}

void chkLine(const QLoggingCategory& category, const QString& text) {
    tagged(category, "[CHK]", text);
}

} // namespace logs
