// The hardware clock through the board's device-node calls, the same in both builds: libc
// on the device, the virtual board's clock model in the simulator.
#include "platform/board.h"
#include "platform/time_limits.h"

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <linux/rtc.h>

namespace board {
namespace {

constexpr const char* kRtcNode = "/dev/rtc0";

// Opens the clock, runs one request on it and closes it again.
bool onClock(unsigned long request, rtc_time& tm) {
    const int fd = board::open(kRtcNode, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = board::ioctl(fd, request, &tm) == 0;
    board::close(fd);
    return ok;
}

} // namespace

bool readHardwareClock(qint64& secondsSinceEpoch) {
    rtc_time rtc{};
    if (!onClock(RTC_RD_TIME, rtc))
        return false;
    std::tm tm{};
    tm.tm_year = rtc.tm_year;
    tm.tm_mon = rtc.tm_mon;
    tm.tm_mday = rtc.tm_mday;
    tm.tm_hour = rtc.tm_hour;
    tm.tm_min = rtc.tm_min;
    tm.tm_sec = rtc.tm_sec;
    const time_t t = timegm(&tm);
    if (t == time_t(-1))
        return false;
    secondsSinceEpoch = qint64(t);
    return true;
}

bool setHardwareClock(qint64 secondsSinceEpoch) {
    if (!fitsTimeT(secondsSinceEpoch))
        return false;
    const time_t t = time_t(secondsSinceEpoch);
    std::tm tm{};
    if (!gmtime_r(&t, &tm))
        return false;
    rtc_time rtc{};
    rtc.tm_year = tm.tm_year;
    rtc.tm_mon = tm.tm_mon;
    rtc.tm_mday = tm.tm_mday;
    rtc.tm_hour = tm.tm_hour;
    rtc.tm_min = tm.tm_min;
    rtc.tm_sec = tm.tm_sec;
    return onClock(RTC_SET_TIME, rtc);
}

} // namespace board
