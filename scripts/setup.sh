#!/usr/bin/env bash
# Installs the Debian packages that the build, the tests, the benchmarks and the simulator
# need. Non-interactive; installs only what is missing, and never a package that brings a
# system service with it: chronyd, the second time server of the network-time test, is
# unpacked into .tools/ instead of installed (installing Debian's chrony would replace the
# machine's own time service).
#
#   scripts/setup.sh                 everything (build, tests, benchmarks, simulator)
#   scripts/setup.sh sim             only what building and running the simulator needs
#   scripts/setup.sh device ARCH     the cross toolchain and the target's libraries for the
#                                    device image (ARCH armhf or arm64, through multiarch)
#   scripts/setup.sh emulated ARCH   the above, plus what the simulator's suites need on ARCH
#                                    and qemu-user to run them
#   scripts/setup.sh fuzz            the simulator's packages and clang with libFuzzer
#   scripts/setup.sh bench           everything, plus what the ARM cost estimate needs: both
#                                    cross compilers, qemu-user and llvm-mca (LLVM 15)
set -euo pipefail
cd "$(dirname "$0")/.."

SIM_PACKAGES=(
    build-essential cmake ninja-build pkg-config git
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
    qt6-qpa-plugins # the desktop and VNC platforms run-sim.sh shows the device on
    libqrencode-dev
    libx264-dev
    libssl-dev # libcrypto: the firmware image's signature check
    # the languages: lupdate and lrelease, and the Noto fonts the build subsets
    qt6-l10n-tools fonts-noto-core fonts-noto-cjk python3-fonttools
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
    libreoffice-calc-nogui # a spreadsheet program opens the export's CSV file, headless
    # benchmarks
    libbenchmark-dev
)

# The device image, cross-built: the toolchain, the host's Qt tools (moc, uic, rcc and the
# artwork renderer run on the build machine) and the target's libraries.
device_packages() { # arch
    echo build-essential cmake ninja-build pkg-config qt6-base-dev qt6-svg-dev libgl-dev \
        qt6-l10n-tools fonts-noto-core fonts-noto-cjk python3-fonttools \
        crossbuild-essential-"$1" qt6-base-dev:"$1" qt6-svg-dev:"$1" libqrencode-dev:"$1" \
        libgl-dev:"$1" libssl-dev:"$1"
}

MODE=${1:-all}
TARGET_ARCH=""
case "$MODE" in
all) PACKAGES=("${SIM_PACKAGES[@]}" "${TEST_PACKAGES[@]}") ;;
sim) PACKAGES=("${SIM_PACKAGES[@]}") ;;
fuzz) PACKAGES=("${SIM_PACKAGES[@]}" clang libclang-rt-14-dev) ;;
bench)
    PACKAGES=("${SIM_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
        crossbuild-essential-armhf crossbuild-essential-arm64 qemu-user llvm-15)
    ;;
device | emulated)
    TARGET_ARCH=${2:-}
    if [[ "$TARGET_ARCH" != armhf && "$TARGET_ARCH" != arm64 ]]; then
        echo "usage: scripts/setup.sh $MODE armhf|arm64" >&2
        exit 2
    fi
    read -r -a PACKAGES <<<"$(device_packages "$TARGET_ARCH")"
    if [[ "$MODE" == emulated ]]; then
        # the simulator's encoder, the application font and the emulator
        PACKAGES+=(libx264-dev:"$TARGET_ARCH" qemu-user fonts-wqy-microhei)
    fi
    ;;
*)
    echo "usage: scripts/setup.sh [sim | fuzz | bench | device ARCH | emulated ARCH]" >&2
    exit 2
    ;;
esac

# Judged by the status for the architecture asked for: a name without one means this
# machine's own architecture (or "all"). With multiarch dpkg-query prints one status per
# installed architecture, and an armhf copy does not make the host's build work.
NATIVE_ARCH=$(dpkg --print-architecture)
installed() {
    local name=$1 arch=$NATIVE_ARCH
    if [[ "$name" == *:* ]]; then
        arch=${name##*:}
        name=${name%:*}
    fi
    dpkg-query -W -f='${Architecture} ${Status}\n' "$name" 2>/dev/null |
        grep -qx -e "$arch install ok installed" -e "all install ok installed"
}

SUDO=""
if [[ $(id -u) -ne 0 ]]; then
    SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
updated=0
# A mirror in the middle of a sync fails a list now and then: try again, and go on with the
# lists apt has if it keeps failing (a package they lack then fails the install, by name).
apt_update() {
    ((updated == 0)) || return 0
    updated=1
    local try
    for try in 1 2 3; do
        $SUDO apt-get update -qq && return 0
        echo "setup: apt-get update failed (try $try of 3)" >&2
        ((try == 3)) || sleep 15
    done
    echo "setup: going on with the package lists apt already has" >&2
}

# A target architecture is added to dpkg once, before its packages can be found.
if [[ -n "$TARGET_ARCH" && "$TARGET_ARCH" != "$NATIVE_ARCH" ]] &&
    ! dpkg --print-foreign-architectures | grep -qx "$TARGET_ARCH"; then
    echo "setup: adding the $TARGET_ARCH architecture to dpkg"
    $SUDO dpkg --add-architecture "$TARGET_ARCH"
    apt_update
fi

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
if [[ "$MODE" == all ]]; then
    unpack chrony chrony usr/sbin/chronyd
    unpack wpasupplicant wpa sbin/wpa_supplicant
fi
