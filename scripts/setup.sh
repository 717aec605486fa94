#!/usr/bin/env bash
# Installs every Debian package that the build, the tests, the benchmarks and the simulator
# need. Non-interactive; installs only what is missing.
set -euo pipefail

PACKAGES=(
    # build
    build-essential cmake ninja-build pkg-config git
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
    qt6-qpa-plugins # the desktop and VNC platforms run-sim.sh shows the device on
    libqrencode-dev
    libx264-dev
    # fonts: the application font family "wenquanyi" (CJK capable)
    fonts-wqy-microhei fontconfig
    # tests and stand-ins: independent checkers and real peers
    ffmpeg zbar-tools python3 python3-aiosmtpd openssl
    chrony # a second, independent time server for the network-time test
    # benchmarks
    libbenchmark-dev
)

missing=()
for p in "${PACKAGES[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]} == 0)); then
    echo "setup: all ${#PACKAGES[@]} packages present"
    exit 0
fi

echo "setup: installing ${missing[*]}"
SUDO=""
if [[ $(id -u) -ne 0 ]]; then
    SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
