#!/usr/bin/env bash
# Cross-builds the device image with Debian's cross toolchain and multiarch libraries:
#   scripts/build-device.sh [armhf|arm64]      (armhf, the target board, by default)
# Installs what is missing (scripts/setup.sh device ARCH), builds the host's build tools
# first (the artwork renderer), configures the device board with cmake/toolchain-ARCH.cmake
# and builds with warnings as errors into build-device-ARCH/, then installs the board's
# layout into build-device-ARCH/image/ and prints the image's architecture, size and the
# shared libraries it needs.
# VISTREL_DEPLOY_PROFILE=<file> names the field's deployment profile (cmake/deploy/).
set -euo pipefail
cd "$(dirname "$0")/.."

ARCH=${1:-armhf}
case "$ARCH" in
armhf | arm64) ;;
*)
    echo "usage: scripts/build-device.sh [armhf|arm64]" >&2
    exit 2
    ;;
esac

scripts/setup.sh device "$ARCH"

# Host tools, built for the build machine.
cmake -S cmake/host-tools -B build-host-tools -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-host-tools -j2

BUILD_DIR=build-device-$ARCH
profile=()
if [[ -n "${VISTREL_DEPLOY_PROFILE:-}" ]]; then
    profile=(-DVISTREL_DEPLOY_PROFILE="$(realpath "$VISTREL_DEPLOY_PROFILE")")
fi
cmake --preset device -B "$BUILD_DIR" \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-$ARCH.cmake" \
    -DVISTREL_RENDER_ARTWORK="$PWD/build-host-tools/render_artwork" \
    "${profile[@]}"
cmake --build "$BUILD_DIR" -j2
cmake --install "$BUILD_DIR" --prefix "$BUILD_DIR/image" --strip >/dev/null

IMAGE=$BUILD_DIR/image/root/vistrel
echo "build-device: $IMAGE"
readelf -h "$IMAGE" | grep -E 'Class|Machine|Flags'
echo "  Size: $(stat -c %s "$IMAGE") bytes"
readelf -d "$IMAGE" | grep NEEDED
echo "build-device: the board's layout is under $BUILD_DIR/image/"
find "$BUILD_DIR/image" -type f | sort | sed "s|^$BUILD_DIR/image|  |"
