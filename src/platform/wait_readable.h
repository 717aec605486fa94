// Waiting for a descriptor to become readable, shared by both board implementations.
#pragma once

#include <cerrno>
#include <poll.h>

namespace board {

// 1 readable, 0 timed out, -1 error; a wait interrupted by a signal is resumed.
inline int pollReadable(int fd, int timeoutMs) {
    pollfd p{fd, POLLIN, 0};
    int r;
    do {
        r = ::poll(&p, 1, timeoutMs);
    } while (r < 0 && errno == EINTR);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

} // namespace board
