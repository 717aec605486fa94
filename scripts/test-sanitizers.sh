#!/usr/bin/env bash
# The suites under the sanitizers:
#   scripts/test-sanitizers.sh          every suite under AddressSanitizer and
#                                       UndefinedBehaviorSanitizer (sim-asan, build-asan/),
#                                       then the threaded suites under ThreadSanitizer
#                                       (sim-tsan, build-tsan/)
#   scripts/test-sanitizers.sh asan     only the first
#   scripts/test-sanitizers.sh tsan     only the second
# Any report fails the suite it came from. Suppressions (tests/sanitizers/) name Qt's own
# code and the thread-object deletions that only Qt's synchronisation orders, each with its
# reason.
set -euo pipefail
cd "$(dirname "$0")/.."

WHICH=${1:-all}
SUPP=$PWD/tests/sanitizers
scripts/setup.sh

if [[ "$WHICH" == all || "$WHICH" == asan ]]; then
    cmake --preset sim-asan >/dev/null
    cmake --build --preset sim-asan
    (
        cd build-asan
        # intercept_tls_get_addr=0: GCC 12's runtime takes a thread's dynamic TLS block that
        # happens to start 16 bytes into a page for one with an old glibc header, reads a
        # made-up range from the allocator's bytes before it, and the leak check at exit
        # then dies scanning it ("Tracer caught signal 11"). The blocks are heap chunks
        # reached from the scanned thread control block, so their pointers are still found.
        export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1:intercept_tls_get_addr=0"
        export LSAN_OPTIONS="suppressions=$SUPP/lsan.supp:print_suppressions=0"
        export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
        QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 --timeout 600
    )
fi

if [[ "$WHICH" == all || "$WHICH" == tsan ]]; then
    cmake --preset sim-tsan >/dev/null
    cmake --build --preset sim-tsan --target tst_capture tst_e2e_screening tst_e2e_offline
    (
        cd build-tsan
        # die_after_fork=0: QProcess starts ffprobe and ffmpeg through fork and exec, and
        # ThreadSanitizer would otherwise end the process at the next thread it starts.
        export TSAN_OPTIONS="suppressions=$SUPP/tsan.supp:halt_on_error=1:second_deadlock_stack=1:die_after_fork=0"
        QT_QPA_PLATFORM=offscreen ctest --output-on-failure -R 'services_|tst_capture|tst_e2e_screening|tst_e2e_offline$' \
            --timeout 900
    )
fi
