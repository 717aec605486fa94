// The board boundary: every access the firmware makes to a board resource goes through here.
//
// Device build: thin passthrough to libc and the real file system.
// Simulator build: paths land under the virtual board's root, device nodes are served by
// the board's models, programs come from the board's own bin/ and the host clock is never
// touched.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <string>
#include <sys/types.h>

namespace board {

// Prepares the board for the application (the simulator creates its root and default
// files). Safe to call more than once.
void init();

// Host path of a board path ("/dev/...", "/sys/...", "/tmp/...", "/run/...", "/root/...").
QString path(const QString& boardPath);
std::string path(const char* boardPath);

// Device-node I/O. Same contracts and errno conventions as the libc calls.
int open(const char* boardPath, int flags, mode_t mode = 0);
int close(int fd);
int ioctl(int fd, unsigned long request, void* arg);
ssize_t read(int fd, void* buf, size_t count);
ssize_t write(int fd, const void* buf, size_t count);
// Waits until fd is readable: 1 readable, 0 timed out, -1 error.
int waitReadable(int fd, int timeoutMs);
void* mmap(void* addr, size_t length, int prot, int flags, int fd, off_t offset);
int munmap(void* addr, size_t length);

// Executable that stands for one of the board's programs (wpa_cli, udhcpc, poweroff, ...).
QString program(const QString& name);

// Runs a shell line as the board's shell would: programs and board paths resolve on the
// board. Returns the exit code, or -1 when the shell could not run or did not finish in
// timeoutMs.
int shell(const QString& line, int timeoutMs = 10000);
// The shell line as it will actually be handed to /bin/sh (for diagnostics and tests).
QString shellLineForHost(const QString& line);
// Environment for child processes so that bare program names resolve on the board.
QStringList programEnvironment();

// Sets the board's system clock (seconds since the epoch, UTC). Returns false on failure.
bool setSystemClock(qint64 secondsSinceEpoch);
// The board's battery-backed hardware clock (/dev/rtc0), in seconds since 1970 (UTC): false
// when the board has none or it cannot be read or set.
bool readHardwareClock(qint64& secondsSinceEpoch);
bool setHardwareClock(qint64 secondsSinceEpoch);
// The board's system clock as the application sees it, in UTC: the board has no zone
// database, and the device's local time is this plus the time-zone setting.
QDateTime currentDateTime();
// The same clock in seconds since 1970 (UTC), without a local-time conversion: what worker
// threads use, as the C library's time-zone state is not theirs to touch.
qint64 currentSecsSinceEpoch();

} // namespace board
