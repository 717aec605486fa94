#include "system/clock_service.h"

#include "core/endpoints.h"
#include "core/log.h"
#include "platform/board.h"
#include "system/sntp.h"

bool ClockService::updateTimeFromeWeb() {
    qCDebug(lcTime, "updateTimeFromeWeb");
    const endpoints::Endpoint server = endpoints::timeServer();
    const std::optional<qint64> now =
        sntpExchange(server.host, server.port, board::currentSecsSinceEpoch());
    if (!now)
        return false;
    qCDebug(lcTime, "updateTimeFromeWeb song %lld", static_cast<long long>(*now));
    // Synced only when the clock was actually set.
    if (!board::setSystemClock(*now)) {
        qCDebug(lcTime, "updateTimeFromeWeb: the clock could not be set");
        return false;
    }
    return true;
}

void ClockService::timerInternetTime() {
    if (!m_synced && updateTimeFromeWeb())
        m_synced = true;
}
