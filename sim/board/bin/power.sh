#!/bin/sh
# Virtual board power program (poweroff or reboot): records the request, then ends the
# application the way the real program ends every process. scripts/run-sim.sh, which plays
# the board's power, reads record/power to tell a reboot from a power-off.
root=$(cd "$(dirname "$0")/.." && pwd)
name=$(basename "$0")
printf '%s\n' "$name $*" >> "$root/record/calls.log"
printf '%s\n' "$name" > "$root/record/power"
if [ -f "$root/record/app.pid" ]; then
    kill -TERM "$(cat "$root/record/app.pid")" 2>/dev/null
fi
exit 0
