#!/usr/bin/env bash
# Runs the device application on the virtual board, the way the board's process supervisor
# runs it on the device:
#   - exit code 1 (camera stalled): start it again;
#   - reboot: install a staged vistrel.new, then start it again;
#   - power-off or any other end: stop.
# With a desktop (DISPLAY set) the device shows in a window; headless it is served over
# Qt's VNC platform on port 5900. Ctrl-C stops everything this script started.
set -euo pipefail
cd "$(dirname "$0")/.."
REPO=$(pwd)

scripts/setup.sh sim
cmake --preset sim-release >/dev/null
cmake --build --preset sim-release

# The device's own folder: application, settings, history and board persist across runs.
DEVICE_DIR=${VISTREL_DEVICE_DIR:-$REPO/build-release/device}
mkdir -p "$DEVICE_DIR"
install -m 755 "$REPO/build-release/bin/vistrel" "$DEVICE_DIR/vistrel"
BOARD="$DEVICE_DIR/board"
SERVICES="$DEVICE_DIR/services"
LAUNCHER="$REPO/sim/services/launcher.py"

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    export QT_QPA_PLATFORM="vnc:size=1024x600:port=5900"
    echo "run-sim: no desktop; the device screen is served by VNC on port 5900."
    echo "run-sim: connect with e.g. 'vncviewer 127.0.0.1:5900'. Qt 6.4's VNC server listens"
    echo "run-sim: on every interface and asks no password: use it on a trusted machine only."
fi

app_pid=""
stop() {
    trap - INT TERM
    if [[ -n "$app_pid" ]] && kill -0 "$app_pid" 2>/dev/null; then
        kill -TERM "$app_pid" 2>/dev/null || true
        wait "$app_pid" 2>/dev/null || true
    fi
    /usr/bin/python3 "$LAUNCHER" stop --dir "$SERVICES"
    echo "run-sim: stopped"
    exit 0
}
trap stop INT TERM

# The servers' stand-ins on loopback: analysis, printing, time, firmware.
/usr/bin/python3 "$LAUNCHER" start --dir "$SERVICES"

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

while true; do
    rm -f "$BOARD/record/power"
    (cd "$DEVICE_DIR" && exec ./vistrel) &
    app_pid=$!
    set +e
    wait "$app_pid"
    code=$?
    set -e
    app_pid=""
    power=$(cat "$BOARD/record/power" 2>/dev/null || true)
    if [[ "$power" == "reboot" ]]; then
        if [[ -f "$DEVICE_DIR/vistrel.new" ]]; then
            echo "run-sim: reboot: installing the staged vistrel.new"
            mv -f "$DEVICE_DIR/vistrel.new" "$DEVICE_DIR/vistrel"
            chmod 755 "$DEVICE_DIR/vistrel"
        else
            echo "run-sim: reboot"
        fi
        continue
    fi
    if [[ "$power" == "poweroff" ]]; then
        echo "run-sim: power off"
        break
    fi
    if [[ $code -eq 1 ]]; then
        echo "run-sim: application ended with code 1; starting it again"
        continue
    fi
    echo "run-sim: application ended with code $code"
    break
done
stop
