// The limit of the C library's time: on the 32-bit board time_t is 32 bits (the board's
// userland and kernel keep the classic layout, see docs/architecture.md), so its clock ends
// in January 2038. A time past it must be refused, never wrapped to 1901.
#pragma once

#include <QtGlobal>

#include <ctime>
#include <limits>

namespace board {

inline bool fitsTimeT(qint64 secondsSinceEpoch) {
    return secondsSinceEpoch >= qint64(std::numeric_limits<time_t>::min()) &&
           secondsSinceEpoch <= qint64(std::numeric_limits<time_t>::max());
}

} // namespace board
