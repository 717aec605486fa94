#include "sensors/power.h"

#include "core/log.h"
#include "core/paths.h"

#include "platform/board.h"

#include <QDebug>

#include <fcntl.h>
#include <optional>

namespace {

constexpr unsigned long kDispBlank = 15; // display command: panel output on (1) or off (0)

enum class Sysfs { Unopened, Empty, Read };

// Up to 10 bytes of a sysfs file as a decimal number (0 when it is not one).
Sysfs readSysfsNumber(const char* boardPath, int& value) {
    const int fd = board::open(boardPath, O_RDONLY);
    if (fd < 0)
        return Sysfs::Unopened;
    char buf[10];
    const ssize_t n = board::read(fd, buf, sizeof buf);
    board::close(fd);
    if (n <= 0)
        return Sysfs::Empty;
    QString text = QString::fromLatin1(buf, int(n));
    text.remove('\n').remove('\r');
    value = text.toInt();
    return Sysfs::Read;
}

// The display command's result, or nothing when the display device cannot be opened.
std::optional<int> setPanel(unsigned long on) {
    const int fd = board::open(paths::kDisplayNode, O_RDWR);
    if (fd < 0)
        return std::nullopt;
    unsigned long args[4] = {0, on, 0, 0};
    const int r = board::ioctl(fd, kDispBlank, args);
    board::close(fd);
    return r;
}

} // namespace

int PowerService::getUSBPresentState() {
    int value = 0;
    const Sysfs read = readSysfsNumber(paths::kUsbPresent, value);
    if (read == Sysfs::Unopened)
        qCWarning(lcSensors, "usb present open_device FAIL");
    return read == Sysfs::Read ? value : 0;
}

// The gauge reads 10 low: the level shown is the file's number plus 10, not capped.
int PowerService::getBatteryPercent() {
    int value = 0;
    const Sysfs read = readSysfsNumber(paths::kBatteryCapacity, value);
    if (read == Sysfs::Unopened)
        qCWarning(lcSensors, "battery capacity open_device FAIL");
    return read == Sysfs::Read ? value + 10 : 10;
}

int PowerService::screenOff() {
    const std::optional<int> r = setPanel(0);
    if (!r)
        return -1;
    m_screenOn = false;
    return *r;
}

int PowerService::screenOn() {
    const std::optional<int> r = setPanel(1);
    if (!r)
        return -1;
    m_screenOn = true;
    return *r;
}
