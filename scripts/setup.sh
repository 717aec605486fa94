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
    libnl-3-200 libnl-genl-3-200 libnl-route-3-200 libpcsclite1 libssl3 libdbus-1-3
    iproute2 util-linux # the real supplicant's test: its libraries, ip and unshare
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

# Real peers that Debian packages as system services, unpacked into .tools/ instead of
# installed: chronyd for the network-time test, wpa_supplicant for the command layer's.
unpack() { # package, folder, a file it must hold
    [[ -x ".tools/$2/$3" ]] && return 0
    echo "setup: unpacking $1 into .tools/$2"
    apt_update
    local tmp
    tmp=$(mktemp -d)
    # Downloaded as root into a folder of ours, so apt's own user needs no access to it.
    (cd "$tmp" && apt-get download -qq -o APT::Sandbox::User=root "$1")
    mkdir -p ".tools/$2"
    dpkg-deb -x "$tmp"/"$1"_*.deb ".tools/$2"
    rm -rf "$tmp"
}
if [[ "${1:-all}" != "sim" ]]; then
    unpack chrony chrony usr/sbin/chronyd
    unpack wpasupplicant wpa sbin/wpa_supplicant
fi
