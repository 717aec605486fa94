// Network time: the board's clock is set once from the time server, and the rest of the
// device waits for that (the status bar's clock, inactivity, the update check). The Wi-Fi
// worker takes the step; everyone else reads timeSynced().
#pragma once

#include <atomic>

class ClockService {
public:
    bool timeSynced() const { return m_synced; }
    void setTimeSynced(bool synced) { m_synced = synced; }

    // One exchange with the time server and the clock set from it: true when it was set.
    bool updateTimeFromeWeb();
    // The worker's step: until the clock is synced, try once.
    void timerInternetTime();

private:
    std::atomic<bool> m_synced{false};
};
