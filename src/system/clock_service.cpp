#include "system/clock_service.h"

#include "core/endpoints.h"
#include "core/files.h"
#include "core/log.h"
#include "core/paths.h"
#include "platform/board.h"
#include "system/sntp.h"

#include <QFile>

QString timeSourceName(TimeSource source) {
    switch (source) {
    case TimeSource::Network:
        return QStringLiteral("network");
    case TimeSource::DeviceClock:
        return QStringLiteral("device clock");
    case TimeSource::Operator:
        return QStringLiteral("operator");
    case TimeSource::None:
        break;
    }
    return QString();
}

bool hardwareClockTrusted(std::optional<qint64> hardwareClock, std::optional<qint64> lastTrusted) {
    return hardwareClock && lastTrusted && *hardwareClock >= *lastTrusted;
}

std::optional<qint64> ClockService::lastTrusted() const {
    if (m_appDir.isEmpty()) // no application folder yet: nothing is remembered
        return std::nullopt;
    std::lock_guard<std::mutex> g(m_storeLock);
    QFile f(m_appDir + paths::kTrustedTimeFile);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    bool ok = false;
    const qint64 seconds = f.readLine().split(' ').value(0).trimmed().toLongLong(&ok);
    return ok && seconds > 0 ? std::optional<qint64>(seconds) : std::nullopt;
}

// On storage before it counts: a power cut must not leave a newer hardware clock looking
// older than a trusted time that was never written.
void ClockService::remember(qint64 secondsSinceEpoch, TimeSource source) {
    if (!board::setHardwareClock(secondsSinceEpoch))
        qCWarning(lcTime, "the hardware clock could not be set");
    if (m_appDir.isEmpty())
        return;
    std::lock_guard<std::mutex> g(m_storeLock);
    if (!ensureFolder(m_appDir + paths::kSettingsFolder) ||
        !writeFileAtomically(m_appDir + paths::kTrustedTimeFile,
                             QByteArray::number(secondsSinceEpoch) + ' ' +
                                 timeSourceName(source).toUtf8() + '\n'))
        qCWarning(lcTime, "the trusted time could not be stored");
}

void ClockService::setTimeSynced(bool synced) {
    m_synced = synced;
    if (synced)
        m_source = TimeSource::Network;
    else if (m_source == TimeSource::Network)
        m_source = TimeSource::None;
}

void ClockService::restoreFromHardwareClock() {
    qint64 hardware = 0;
    const bool readable = board::readHardwareClock(hardware);
    const std::optional<qint64> last = lastTrusted();
    if (!hardwareClockTrusted(readable ? std::optional<qint64>(hardware) : std::nullopt, last)) {
        qCInfo(lcTime, "the device clock is not trusted (%s)",
               !readable ? "no hardware clock"
               : !last   ? "no trusted time remembered"
                         : "it reads before the last trusted time");
        return;
    }
    if (!board::setSystemClock(hardware))
        return;
    m_source = TimeSource::DeviceClock;
    qCInfo(lcTime, "the clock is from the device clock: %lld", static_cast<long long>(hardware));
}

bool ClockService::setByOperator(qint64 secondsSinceEpoch) {
    if (!board::setSystemClock(secondsSinceEpoch))
        return false;
    remember(secondsSinceEpoch, TimeSource::Operator);
    // The network's time still replaces it when it comes.
    m_source = TimeSource::Operator;
    qCInfo(lcTime, "the clock is set by the operator: %lld",
           static_cast<long long>(secondsSinceEpoch));
    return true;
}

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
        qCWarning(lcTime, "updateTimeFromeWeb: the clock could not be set");
        return false;
    }
    remember(*now, TimeSource::Network);
    m_source = TimeSource::Network;
    return true;
}

void ClockService::timerInternetTime() {
    if (!m_synced && updateTimeFromeWeb())
        m_synced = true;
}
