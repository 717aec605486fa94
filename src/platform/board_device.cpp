// Device implementation of the board boundary: the real nodes, files and programs.
#include "platform/board.h"
#include "platform/log.h"
#include "platform/time_limits.h"
#include "platform/wait_readable.h"

#include <QProcessEnvironment>

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace board {

void init() {}

QString path(const QString& boardPath) {
    return boardPath;
}
std::string path(const char* boardPath) {
    return boardPath;
}

int open(const char* boardPath, int flags, mode_t mode) {
    return ::open(boardPath, flags, mode);
}
int close(int fd) {
    return ::close(fd);
}
int ioctl(int fd, unsigned long request, void* arg) {
    return ::ioctl(fd, request, arg);
}
ssize_t read(int fd, void* buf, size_t count) {
    return ::read(fd, buf, count);
}
ssize_t write(int fd, const void* buf, size_t count) {
    return ::write(fd, buf, count);
}

int waitReadable(int fd, int timeoutMs) {
    return pollReadable(fd, timeoutMs);
}

void* mmap(void* addr, size_t length, int prot, int flags, int fd, off_t offset) {
    return ::mmap(addr, length, prot, flags, fd, offset);
}
int munmap(void* addr, size_t length) {
    return ::munmap(addr, length);
}

QString program(const QString& name) {
    return name;
}

QString shellLineForHost(const QString& line) {
    return line;
}
QStringList programEnvironment() {
    return QProcessEnvironment::systemEnvironment().toStringList();
}

bool setSystemClock(qint64 secondsSinceEpoch) {
    if (!fitsTimeT(secondsSinceEpoch)) {
        qCWarning(lcPlatform,
                  "system clock: %lld is past what this system's %d-bit time can hold; "
                  "clock not set",
                  static_cast<long long>(secondsSinceEpoch), int(sizeof(time_t) * 8));
        return false;
    }
    timespec ts{static_cast<time_t>(secondsSinceEpoch), 0};
    return ::clock_settime(CLOCK_REALTIME, &ts) == 0;
}

QDateTime currentDateTime() {
    return QDateTime::currentDateTimeUtc();
}

qint64 currentSecsSinceEpoch() {
    return QDateTime::currentSecsSinceEpoch();
}

} // namespace board
