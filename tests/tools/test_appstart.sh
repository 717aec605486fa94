#!/bin/sh
# The board's supervisor, device/appstart.sh, run on a stand-in application: drivers loaded
# first, a staged vistrel.new installed before the first start, a restart after each exit
# code 1, and a stop (with the application's code) after any other end.
#   test_appstart.sh <appstart.sh>
set -eu
supervisor=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkdir "$dir/bin" "$dir/root"
cp "$supervisor" "$dir/root/appstart.sh"
chmod +x "$dir/root/appstart.sh"

for tool in insmod modprobe; do
    printf '#!/bin/sh\necho "%s $*" >> "%s/calls"\n' "$tool" "$dir" > "$dir/bin/$tool"
    chmod +x "$dir/bin/$tool"
done
# The staged image: ends with code 1 twice (counted in a file), then with 7.
cat > "$dir/root/vistrel.new" <<EOF
#!/bin/sh
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
(cd / && PATH="$dir/bin:$PATH" "$dir/root/appstart.sh" > "$dir/out" 2>&1)
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
[ "$fail" -eq 0 ] && echo "PASS"
exit "$fail"
