#!/bin/sh
# The board's supervisor, device/appstart.sh, run on stand-in applications: drivers loaded
# first, a staged vistrel.new installed before the first start, a restart after each exit
# code 1, and a stop (with the application's code) after any other end; then the trial of an
# update: one that crashes before its first page, or soon after it, is replaced by the
# previous application at the next boot, and one that comes up is kept.
#   test_appstart.sh <appstart.sh>
set -eu
supervisor=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkdir "$dir/bin" "$dir/root"
cp "$supervisor" "$dir/root/appstart.sh"
chmod +x "$dir/root/appstart.sh"

for tool in insmod modprobe reboot; do
    printf '#!/bin/sh\necho "%s $*" >> "%s/calls"\n' "$tool" "$dir" > "$dir/bin/$tool"
    chmod +x "$dir/bin/$tool"
done
# The staged image: comes up (takes its trial marker away, as the application does at its
# first paint), then ends with code 1 twice (counted in a file), then with 7.
cat > "$dir/root/vistrel.new" <<EOF
#!/bin/sh
rm -f vistrel.trial
n=\$(cat "$dir/starts" 2>/dev/null || echo 0)
n=\$((n + 1))
echo "\$n" > "$dir/starts"
echo "vistrel start \$n in \$(pwd)" >> "$dir/calls"
[ "\$n" -le 2 ] && exit 1
exit 7
EOF
printf '#!/bin/sh\necho old image >> "%s/calls"\n' "$dir" > "$dir/root/vistrel"
chmod 644 "$dir/root/vistrel.new" # the update stages it without the execute bit

set +e
(cd / && TRIAL_SECONDS=0 PATH="$dir/bin:$PATH" "$dir/root/appstart.sh" > "$dir/out" 2>&1)
code=$?
set -e

expected="insmod /lib/modules/vfe_v4l2.ko
modprobe vl53l1
modprobe qmi8658
vistrel start 1 in $dir/root
vistrel start 2 in $dir/root
vistrel start 3 in $dir/root"
fail=0
if [ "$(cat "$dir/calls")" != "$expected" ]; then
    echo "FAIL: calls were:"
    cat "$dir/calls"
    fail=1
fi
if [ "$code" -ne 7 ]; then
    echo "FAIL: the supervisor ended with $code, not the application's 7"
    fail=1
fi
if [ -e "$dir/root/vistrel.new" ] || ! grep -q starts "$dir/root/vistrel"; then
    echo "FAIL: the staged image was not installed in place of the old one"
    fail=1
fi
grep -q "installing the staged vistrel.new" "$dir/out" || {
    echo "FAIL: the install was not logged"
    fail=1
}
cat "$dir/out"

# The trial of an update. boot: one run of the supervisor, its log appended to $dir/boots.
boot() {
    (cd / && PATH="$dir/bin:$PATH" "$dir/root/appstart.sh" >> "$dir/boots" 2>&1) || true
}
image() { # name, what it does before it ends
    printf '#!/bin/sh\necho %s >> "%s/ran"\n%s\n' "$1" "$dir" "$2" > "$dir/root/$3"
}
expect() { # description, condition
    if ! eval "$2"; then
        echo "FAIL: $1"
        fail=1
    fi
}
for case in crash-at-start crash-after-paint comes-up; do
    rm -f "$dir/root/"vistrel* "$dir/ran" "$dir/boots" "$dir/calls"
    image old 'rm -f vistrel.trial; exit 0' vistrel
    chmod 755 "$dir/root/vistrel"
    case $case in
    crash-at-start) image new 'kill -SEGV $$' vistrel.new ;; # the shell's own $$
    crash-after-paint) image new 'rm -f vistrel.trial; exit 2' vistrel.new ;;
    comes-up) image new 'rm -f vistrel.trial; exit 0' vistrel.new ;;
    esac
    boot
    boot
    echo "--- $case:"
    cat "$dir/boots"
    if [ "$case" = comes-up ]; then
        expect "$case: the update is kept" '[ "$(cat "$dir/ran")" = "new
new" ]'
        expect "$case: nothing restored" '! grep -q restoring "$dir/boots"'
    else
        expect "$case: the second boot runs the previous application" '[ "$(cat "$dir/ran")" = "new
old" ]'
        expect "$case: the restore says why" 'grep -q "failed its trial (ended with code" "$dir/boots"'
        expect "$case: the failed trial rebooted" 'grep -q "^reboot" "$dir/calls"'
        expect "$case: no trial is left" '[ ! -e "$dir/root/vistrel.trial" ]'
    fi
done

[ "$fail" -eq 0 ] && echo "PASS"
exit "$fail"
