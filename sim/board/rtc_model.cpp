// The board's hardware clock, /dev/rtc0 (RTC_RD_TIME, RTC_SET_TIME in UTC). It keeps its
// time across boots as a battery-backed clock does: record/rtc holds the time it was last
// set to and the host's time then, and it runs on with the host's clock from there. Never
// set, it reads the host's time (it has run since the factory). Knobs: rtc_missing (1: no
// node), rtc_lost (1: the clock lost its time and reads 2000-01-01 00:00:00, as after a
// flat backup cell).
#include "knobs.h"
#include "models.h"

#include <QDateTime>
#include <QFile>

#include <cerrno>
#include <ctime>
#include <linux/rtc.h>
#include <sys/eventfd.h>

namespace vboard {
namespace {

constexpr qint64 kLostTime = 946684800; // 2000-01-01 00:00:00 UTC

int fail(int error) {
    errno = error;
    return -1;
}

class RtcModel : public DeviceModel {
public:
    int open(int) override {
        if (knobInt(knobs::kRtcMissing, 0) == 1)
            return fail(ENOENT);
        return ::eventfd(0, EFD_CLOEXEC);
    }

    int ioctl(int, unsigned long request, void* arg) override {
        auto* tm = static_cast<rtc_time*>(arg);
        if (request == RTC_RD_TIME) {
            toRtc(now(), *tm);
            return 0;
        }
        if (request == RTC_SET_TIME) {
            std::tm t{};
            t.tm_year = tm->tm_year;
            t.tm_mon = tm->tm_mon;
            t.tm_mday = tm->tm_mday;
            t.tm_hour = tm->tm_hour;
            t.tm_min = tm->tm_min;
            t.tm_sec = tm->tm_sec;
            const qint64 set = timegm(&t);
            QFile f(recordPath("rtc"));
            if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
                return fail(EIO);
            f.write(QByteArray::number(set) + ' ' + QByteArray::number(hostNow()) + '\n');
            return 0;
        }
        return fail(ENOTTY);
    }

private:
    static qint64 hostNow() { return QDateTime::currentSecsSinceEpoch(); }

    static qint64 now() {
        if (knobInt(knobs::kRtcLost, 0) == 1)
            return kLostTime;
        QFile f(recordPath("rtc"));
        if (!f.open(QIODevice::ReadOnly))
            return hostNow();
        const QList<QByteArray> fields = f.readAll().trimmed().split(' ');
        if (fields.size() != 2)
            return hostNow();
        return fields[0].toLongLong() + hostNow() - fields[1].toLongLong();
    }

    static void toRtc(qint64 seconds, rtc_time& out) {
        const time_t t = time_t(seconds);
        std::tm tm{};
        gmtime_r(&t, &tm);
        out = rtc_time{};
        out.tm_year = tm.tm_year;
        out.tm_mon = tm.tm_mon;
        out.tm_mday = tm.tm_mday;
        out.tm_hour = tm.tm_hour;
        out.tm_min = tm.tm_min;
        out.tm_sec = tm.tm_sec;
        out.tm_wday = tm.tm_wday;
        out.tm_yday = tm.tm_yday;
    }
};

} // namespace

void installRtcModel() {
    registerModel("/dev/rtc0", std::make_shared<RtcModel>());
}

} // namespace vboard
