// The device's clock and whether it can be trusted. The age of a child and every stored
// time depend on it, so a screening starts only on a trusted clock: one set from the time
// server, one the battery-backed hardware clock kept since the last trusted time, or one
// the operator entered by hand. Each trusted setting is written to the hardware clock and
// remembered beside the settings (CAMCFG/trusted_time.txt), so that the next start without
// a network can tell a hardware clock that kept its time from one that lost it.
//
// The Wi-Fi worker takes the network step; the GUI thread sets the operator's time and
// reads the source; both are atomics.
#pragma once

#include <QString>

#include <atomic>
#include <mutex>
#include <optional>

enum class TimeSource { None, Network, DeviceClock, Operator };

// "network", "device clock", "operator", "" for none: how a record names where its time
// came from.
QString timeSourceName(TimeSource source);

// Whether the hardware clock's reading can be believed: it reads at or after the last
// time the device trusted (a clock that lost its time reads earlier), and there is one.
bool hardwareClockTrusted(std::optional<qint64> hardwareClock, std::optional<qint64> lastTrusted);

class ClockService {
public:
    void setAppDir(const QString& appDir) { m_appDir = appDir; }

    // The clock set from the time server (the status bar's clock, the update check).
    bool timeSynced() const { return m_synced; }
    // As if network time had (or had not) set the clock; the source follows.
    void setTimeSynced(bool synced);

    TimeSource source() const { return m_source; }
    bool trusted() const { return source() != TimeSource::None; }

    // At start-up: takes the hardware clock's time when it can be trusted.
    void restoreFromHardwareClock();
    // The operator's time (UTC seconds): the system and hardware clocks are set to it and
    // it is trusted until network time replaces it. False when the clock cannot be set.
    bool setByOperator(qint64 secondsSinceEpoch);

    // One exchange with the time server and the clock set from it: true when it was set.
    bool updateTimeFromeWeb();
    // The worker's step: until the clock is synced, try once.
    void timerInternetTime();

    // The last trusted time remembered, if any.
    std::optional<qint64> lastTrusted() const;

private:
    void remember(qint64 secondsSinceEpoch, TimeSource source);

    QString m_appDir; // set before the workers start
    std::atomic<bool> m_synced{false};
    std::atomic<TimeSource> m_source{TimeSource::None};
    mutable std::mutex m_storeLock; // the file: the worker and the GUI both write it
};
