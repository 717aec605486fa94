// When the Wi-Fi worker next tries the outbox: at every step while deliveries go through;
// after a failure 5 s later, the wait doubling with each failure up to 5 min, so a server
// that is down is not asked every second.
#pragma once

#include <QtGlobal>

class DeliverySchedule {
public:
    static constexpr int kFirstWaitS = 5;
    static constexpr int kLongestWaitS = 300;

    bool due(qint64 nowMs) const { return nowMs >= m_nextMs; }
    void delivered() {
        m_waitS = 0;
        m_nextMs = 0;
    }
    void failed(qint64 nowMs) {
        m_waitS = qBound(kFirstWaitS, m_waitS * 2, kLongestWaitS);
        m_nextMs = nowMs + qint64(m_waitS) * 1000;
    }
    int waitSeconds() const { return m_waitS; }

private:
    qint64 m_nextMs = 0;
    int m_waitS = 0;
};
