// One tap, one request. A job that sends something (a receipt, a mail, an upload, an
// update) does not start again while it runs, nor for a moment after it ended: its
// progress dialog is modal, so a doubled or bouncing tap reaches the button only once the
// first request is over, and would send it again.
#pragma once

#include <QtGlobal>

#include <limits>

class SendGuard {
public:
    static constexpr qint64 kSettleMs = 700;

    // A tap at `nowMs` (a monotonic clock): true when it may send.
    bool begin(qint64 nowMs) {
        if (m_busy || nowMs - m_endedAtMs < kSettleMs)
            return false;
        m_busy = true;
        return true;
    }
    void end(qint64 nowMs) {
        m_busy = false;
        m_endedAtMs = nowMs;
    }

private:
    bool m_busy = false;
    qint64 m_endedAtMs = std::numeric_limits<qint64>::min() / 2;
};
