#!/usr/bin/env bash
# Runs the simulator's suites that start no child process on an ARM build, under qemu-user
# with the multiarch libraries as the root: what differs on the board's 32-bit ABI (32-bit
# long and time_t, 64-bit file offsets, alignment, char signedness) shows on armhf, and the
# NEON and ASIMD preview kernels run against their reference on the processors they are for.
#   scripts/test-emulated.sh [armhf|arm64]     (armhf, the target board, by default)
# The list of suites is the EMULATED mark in tests/CMakeLists.txt; docs/architecture.md
# says which suites cannot run there and why.
set -euo pipefail
cd "$(dirname "$0")/.."

ARCH=${1:-armhf}
case "$ARCH" in
armhf) QEMU=qemu-arm ;;
arm64) QEMU=qemu-aarch64 ;;
*)
    echo "usage: scripts/test-emulated.sh [armhf|arm64]" >&2
    exit 2
    ;;
esac
scripts/setup.sh emulated "$ARCH"

cmake -S cmake/host-tools -B build-host-tools -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-host-tools -j2

BUILD_DIR=build-$ARCH-sim
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DVISTREL_BOARD=sim -DVISTREL_WERROR=ON \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-$ARCH.cmake" \
    -DVISTREL_RENDER_ARTWORK="$PWD/build-host-tools/render_artwork" \
    "-DCMAKE_CROSSCOMPILING_EMULATOR=$QEMU;-L;/"
cmake --build "$BUILD_DIR" -j2 --target emulated_suites
cd "$BUILD_DIR"
QT_QPA_PLATFORM=offscreen ctest -L emulated --output-on-failure -j2
