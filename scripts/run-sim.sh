#!/usr/bin/env bash
# Runs the device application on the virtual board the way the board runs it: the build is
# installed as the board's image (`cmake --install`), and the board's own supervisor,
# appstart.sh, starts the application (again after exit code 1; a staged vistrel.new is
# installed at each boot). This script plays the board's power: after a reboot it boots
# again, after a power-off it stops.
# With a desktop (DISPLAY set) the device shows in a window; headless it is served over
# Qt's VNC platform on port 5900. Ctrl-C stops everything this script started.
set -euo pipefail
# Started in the background of a shell, bash enters with SIGINT ignored, and a signal
# ignored on entry cannot be trapped: run again with the signals at their defaults, so that
# Ctrl-C, SIGINT and SIGTERM stop everything in every case.
if [[ -z "${VISTREL_RUN_SIM_SIGNALS:-}" ]]; then
    export VISTREL_RUN_SIM_SIGNALS=1
    exec env --default-signal=INT,QUIT,TERM "$0" "$@"
fi
# Until the device runs: a signal ends the script once the step in hand (a build) is over.
trap 'echo "run-sim: interrupted"; exit 130' INT TERM
cd "$(dirname "$0")/.."
REPO=$(pwd)

scripts/setup.sh sim
cmake --preset sim-release >/dev/null
cmake --build --preset sim-release

# The device's own folder: the board's file system (the installed image with the
# application's settings and history under root/, and the virtual board's nodes and knobs)
# and the stand-ins' files persist across runs.
DEVICE_DIR=${VISTREL_DEVICE_DIR:-$REPO/build-release/device}
BOARD="$DEVICE_DIR/board"
SERVICES="$DEVICE_DIR/services"
LAUNCHER="$REPO/sim/services/launcher.py"
mkdir -p "$BOARD"
cmake --install build-release --prefix "$BOARD" >/dev/null
export VISTREL_SIM_BOARD_ROOT="$BOARD"

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    export QT_QPA_PLATFORM="vnc:size=1024x600:port=5900"
    echo "run-sim: no desktop; the device screen is served by VNC on port 5900."
    echo "run-sim: connect with e.g. 'vncviewer 127.0.0.1:5900'. Qt 6.4's VNC server listens"
    echo "run-sim: on every interface and asks no password: use it on a trusted machine only."
fi

supervisor_pid=""
stop() {
    trap - INT TERM
    if [[ -n "$supervisor_pid" ]] && kill -0 "$supervisor_pid" 2>/dev/null; then
        # The application first, so the supervisor sees an ordinary end and stops.
        kill -TERM "$(cat "$BOARD/record/app.pid" 2>/dev/null)" 2>/dev/null || true
        wait "$supervisor_pid" 2>/dev/null || true
    fi
    /usr/bin/python3 "$LAUNCHER" stop --dir "$SERVICES"
    echo "run-sim: stopped"
    exit 0
}
trap stop INT TERM

# The servers' stand-ins on loopback: analysis, printing, time, firmware, mail. They make a
# certificate authority as they start and serve TLS under it; the simulated device trusts
# that authority (and talks plain HTTP instead with VISTREL_SIM_PLAIN_HTTP=1).
# They answer the device only while its virtual Wi-Fi is associated, as real servers would.
/usr/bin/python3 "$LAUNCHER" start --dir "$SERVICES" --board "$BOARD"
export VISTREL_SIM_CA="$SERVICES/tls/ca.pem"

cat <<INFO
run-sim: device folder $DEVICE_DIR
run-sim: turn the board's knobs while it runs, for example:
    echo 60 > $BOARD/control/distance_cm      # distance to the child's eyes, cm
    echo 12 > $BOARD/control/pitch_deg        # device pitch, degrees
    echo 18 > $BOARD/control/battery_capacity # battery gauge, percent
    echo 1  > $BOARD/control/charger_present  # charger plugged in
run-sim: the stand-ins' knobs are under $SERVICES/control/, what they received under
run-sim: $SERVICES/log/, for example:
    echo 'ok,0.25,0.50,-0.25,0,61,90,180' > $SERVICES/control/analysis_reply
INFO

# One pass per boot: the board's programs (insmod, modprobe, poweroff, reboot) come first
# on PATH, as they are the board's own.
while true; do
    rm -f "$BOARD/record/power"
    # The board's /tmp is memory: a boot starts it empty (the camera's restart credits too).
    rm -rf "${BOARD:?}/tmp"
    mkdir -p "$BOARD/tmp"
    PATH="$BOARD/bin:$PATH" "$BOARD/root/appstart.sh" &
    supervisor_pid=$!
    set +e
    wait "$supervisor_pid"
    set -e
    supervisor_pid=""
    case "$(cat "$BOARD/record/power" 2>/dev/null || true)" in
    reboot)
        echo "run-sim: reboot"
        continue
        ;;
    poweroff) echo "run-sim: power off" ;;
    esac
    break
done
stop
