#!/bin/sh
# The application's supervisor on the board, started at boot by the start entry
# (/etc/init.d/S99vistrel). It
#   - loads the kernel drivers of the camera and the sensors (the calibration deletes the
#     range sensor's line when the application takes that sensor over from the kernel);
#   - installs a firmware image that an update staged as vistrel.new before its reboot,
#     keeping the running one as vistrel.previous, and gives the new one a trial: the
#     application removes vistrel.trial once it has painted its first page. A trial that
#     fails (the marker is still there, or the application ended with a code other than 0
#     or 1 within TRIAL_SECONDS of its start) is logged in the marker, and the board reboots
#     into the previous application;
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

TRIAL_SECONDS=${TRIAL_SECONDS:-60}
uptime_s() { cut -d. -f1 /proc/uptime; }

if [ -f vistrel.trial ] && [ -f vistrel.previous ]; then
    echo "appstart: the installed update failed its trial ($(cat vistrel.trial));" \
        "restoring the previous vistrel"
    mv -f vistrel.previous vistrel && rm -f vistrel.trial
fi
rm -f vistrel.trial
trial=0
if [ -f vistrel.new ]; then
    echo "appstart: installing the staged vistrel.new"
    # In this order, each step whole before the next, so that a power cut anywhere leaves
    # either the staged image to install again or a trial to fail and a whole previous one.
    if [ -f vistrel ]; then
        cp -p vistrel vistrel.previous.tmp && sync && mv -f vistrel.previous.tmp vistrel.previous
    fi
    echo "never reached its first painted page" >vistrel.trial
    chmod 755 vistrel.new && mv -f vistrel.new vistrel && sync
    trial=1
fi

while :; do
    started=$(uptime_s)
    ./vistrel
    code=$?
    if [ "$trial" -eq 1 ]; then
        ran=$(($(uptime_s) - started))
        if [ -f vistrel.trial ]; then
            echo "ended with code $code before its first painted page" >vistrel.trial
        elif [ "$code" -ne 0 ] && [ "$code" -ne 1 ] && [ "$ran" -lt "$TRIAL_SECONDS" ]; then
            echo "ended with code $code ${ran} s after it started" >vistrel.trial
        fi
        if [ -f vistrel.trial ]; then
            # Rebooted at once: nobody is left looking at a dark screen for a power cycle.
            echo "appstart: the new vistrel $(cat vistrel.trial); rebooting to restore the previous one"
            sync
            reboot
            break
        fi
        [ "$ran" -lt "$TRIAL_SECONDS" ] || trial=0
    fi
    [ "$code" -eq 1 ] || break
    echo "appstart: vistrel ended with code 1; starting it again"
done
echo "appstart: vistrel ended with code $code"
exit "$code"
