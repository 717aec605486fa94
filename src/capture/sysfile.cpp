#include "capture/sysfile.h"
#include "core/log.h"
#include "core/paths.h"

#include "platform/board.h"

#include <QDebug>

#include <cstring>
#include <fcntl.h>

void sysfileWrite(const char* path, const char* text) {
    const int fd = board::open(path, O_RDWR);
    if (fd < 0) {
        qCWarning(lcCapture, "sysfileWrite[%s]error", path);
        return;
    }
    (void)!board::write(fd, text, std::strlen(text));
    board::close(fd);
}

void writeIrLed(const char command[4]) {
    const int fd = board::open(paths::kIrLedNode, O_RDWR);
    if (fd < 0) {
        qCWarning(lcCapture, "FLUSH open_device FAIL");
        return;
    }
    (void)!board::write(fd, command, 4);
    board::close(fd);
}
