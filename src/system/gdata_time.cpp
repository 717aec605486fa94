// GData's network time.
#include "app/gdata.h"

#include "core/endpoints.h"
#include "platform/board.h"
#include "system/sntp.h"

#include <QDebug>

bool GData::updateTimeFromeWeb() {
    qDebug("updateTimeFromeWeb");
    const endpoints::Endpoint server = endpoints::timeServer();
    const std::optional<qint64> now =
        sntpExchange(server.host, server.port, board::currentSecsSinceEpoch());
    if (!now)
        return false;
    qDebug("updateTimeFromeWeb song %lld", static_cast<long long>(*now));
    // Synced only when the clock was actually set.
    if (!board::setSystemClock(*now)) {
        qDebug("updateTimeFromeWeb: the clock could not be set");
        return false;
    }
    return true;
}

void GData::timerInternetTime() {
    if (!m_bTimeSynced && updateTimeFromeWeb())
        m_bTimeSynced = true;
}
