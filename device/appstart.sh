#!/bin/sh
# The application's supervisor on the board, started at boot by the start entry
# (/etc/init.d/S99vistrel). It
#   - loads the kernel drivers of the camera and the sensors (the calibration deletes the
#     range sensor's line when the application takes that sensor over from the kernel);
#   - installs a firmware image that an update staged as vistrel.new before its reboot;
#   - starts the application, and starts it again whenever it ends with exit code 1 (the
#     camera stalled and the driver gave up on it). Any other end stops here: power-off and
#     reboot end the whole system anyway, a missing display (code 3) has nothing to show
#     on, and a crash must not become a restart loop.
# The simulator runs this same script on the virtual board (scripts/run-sim.sh), with the
# board's recording stand-ins for insmod and modprobe first on PATH.
cd "$(dirname "$0")" || exit 1

insmod /lib/modules/vfe_v4l2.ko
modprobe vl53l1
modprobe qmi8658

if [ -f vistrel.new ]; then
    echo "appstart: installing the staged vistrel.new"
    chmod 755 vistrel.new && mv -f vistrel.new vistrel
fi

while :; do
    ./vistrel
    code=$?
    [ "$code" -eq 1 ] || break
    echo "appstart: vistrel ended with code 1; starting it again"
done
echo "appstart: vistrel ended with code $code"
exit "$code"
