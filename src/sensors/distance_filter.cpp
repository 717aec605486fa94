#include "sensors/distance_filter.h"

bool DistanceFilter::notReady() {
    ++m_errorCount;
    return m_errorCount > 5;
}

DistanceFilter::Reading DistanceFilter::result(int status, int distanceMm, int offsetMm) {
    if (status != 0) {
        m_statusOKCount = 0;
        if (++m_statusErrorCount >= 61) {
            m_statusErrorCount = 0;
            return {-5, true, false};
        }
        return {-3, false, true};
    }
    m_statusErrorCount = 0;
    m_cache[m_statusOKCount % 5] = distanceMm;
    ++m_statusOKCount;
    if (m_statusOKCount < 5)
        return {-4, false, false};
    // 64-bit sums: the offset comes from a file and may be anything.
    long long sum = 0;
    for (int v : m_cache)
        sum += v;
    const long long cm = (sum / 5 + offsetMm - 120) / 10;
    return {int(cm), false, true};
}
