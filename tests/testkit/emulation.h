// What the suites need to know of the emulated run (scripts/test-emulated.sh).
#pragma once

#include <QtGlobal>

// Under user-mode emulation (qemu-user, scripts/test-emulated.sh) Qt cannot start child
// processes; that run sets VISTREL_NO_CHILD_PROCESSES, and a case that needs one skips
// there, saying why. The native run always has them.
#define SKIP_WITHOUT_CHILD_PROCESSES()                                                             \
    do {                                                                                           \
        if (qEnvironmentVariableIsSet("VISTREL_NO_CHILD_PROCESSES"))                               \
            QSKIP("starts a child process, which user-mode emulation cannot");                     \
    } while (0)
