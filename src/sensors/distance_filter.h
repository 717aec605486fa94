// The distance reading's memory between calls: polls that found no data, results with a
// bad range status, and the last five good distances, whose mean is the reading.
#pragma once

#include <cstdint>

class DistanceFilter {
public:
    // A poll that found no data ready. True when the sensor should be brought up again:
    // more than five misses in a row (and every further miss until data comes).
    bool notReady();
    // Data was ready: the miss count starts again.
    void ready() { m_errorCount = 0; }
    int missCount() const { return m_errorCount; }

    struct Reading {
        int value;     // cm, or -3 bad status, -4 still collecting, -5 too many bad results
        bool reinit;   // the sensor must be brought up again (with -5)
        bool clearIrq; // the result was consumed: clear the sensor's interrupt
    };
    // One result of the sensor: status, distance in mm, calibration offset in mm.
    Reading result(int status, int distanceMm, int offsetMm);

private:
    uint8_t m_errorCount = 0;   // consecutive not-ready polls
    int m_statusErrorCount = 0; // consecutive results with a bad status
    int m_statusOKCount = 0;    // good results since the last bad one
    int m_cache[5] = {};        // distances in mm, written cyclically
};
