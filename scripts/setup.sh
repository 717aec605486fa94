#!/usr/bin/env bash
# Installs the Debian packages that the build, the tests, the benchmarks and the simulator
# need. Non-interactive; installs only what is missing, and never a package that brings a
# system service with it: chronyd, the second time server of the network-time test, is
# unpacked into .tools/ instead of installed (installing Debian's chrony would replace the
# machine's own time service).
#
#   scripts/setup.sh         everything (build, tests, benchmarks, simulator)
#   scripts/setup.sh sim     only what building and running the simulator needs
set -euo pipefail
cd "$(dirname "$0")/.."

SIM_PACKAGES=(
    build-essential cmake ninja-build pkg-config git
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
    qt6-qpa-plugins # the desktop and VNC platforms run-sim.sh shows the device on
    libqrencode-dev
    libx264-dev
    # fonts: the application font family "wenquanyi" (CJK capable)
    fonts-wqy-microhei fontconfig
    # the server stand-ins: the analysis stand-in checks recordings with ffprobe
    ffmpeg python3 python3-aiosmtpd openssl
)
TEST_PACKAGES=(
    # independent checkers and real peers
    zbar-tools xvfb xauth
    libcap2 libseccomp2 libgnutls30 libnettle8 # what the unpacked chronyd links
    # benchmarks
    libbenchmark-dev
)

PACKAGES=("${SIM_PACKAGES[@]}")
if [[ "${1:-all}" != "sim" ]]; then
    PACKAGES+=("${TEST_PACKAGES[@]}")
fi

# A package counts as installed when any architecture of it is: with multiarch, dpkg-query
# prints one status per installed architecture.
installed() {
    dpkg-query -W -f='${Status}\n' "$1" 2>/dev/null | grep -qx 'install ok installed'
}

SUDO=""
if [[ $(id -u) -ne 0 ]]; then
    SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
updated=0
apt_update() {
    if ((updated == 0)); then
        $SUDO apt-get update -qq
        updated=1
    fi
}

missing=()
for p in "${PACKAGES[@]}"; do
    installed "$p" || missing+=("$p")
done

if ((${#missing[@]} == 0)); then
    echo "setup: all ${#PACKAGES[@]} packages present"
else
    echo "setup: installing ${missing[*]}"
    apt_update
    $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# chronyd for the network-time test, unpacked from Debian's package into .tools/chrony.
if [[ "${1:-all}" != "sim" && ! -x .tools/chrony/usr/sbin/chronyd ]]; then
    echo "setup: unpacking chronyd into .tools/chrony"
    apt_update
    tmp=$(mktemp -d)
    chmod 755 "$tmp" # apt downloads as its own user
    (cd "$tmp" && apt-get download -qq chrony)
    mkdir -p .tools/chrony
    dpkg-deb -x "$tmp"/chrony_*.deb .tools/chrony
    rm -rf "$tmp"
fi
