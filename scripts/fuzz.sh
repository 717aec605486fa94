#!/usr/bin/env bash
# Builds the libFuzzer harnesses (clang, address and undefined sanitizers, the preset fuzz
# in build-fuzz/) and runs each for a while on its corpus:
#   scripts/fuzz.sh [seconds per harness]      (30 by default)
# The seeds in tests/fuzz/corpus/<harness>/ are read only; what a run adds stays in
# build-fuzz/corpus/<harness>/ for the next run. A crash, a sanitizer report or a broken
# property fails the run and leaves its input in build-fuzz/crashes/<harness>/.
set -euo pipefail
cd "$(dirname "$0")/.."

SECONDS_EACH=${1:-30}
if ! [[ "$SECONDS_EACH" =~ ^[0-9]+$ ]] || ((SECONDS_EACH < 1)); then
    echo "usage: scripts/fuzz.sh [seconds per harness]" >&2
    exit 2
fi
scripts/setup.sh fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

export QT_QPA_PLATFORM=offscreen
# intercept_tls_get_addr=0: see scripts/test-sanitizers.sh.
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:intercept_tls_get_addr=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
failed=()
printf '%-18s %8s %10s  %s\n' harness seconds runs result
read -r -a harnesses <<<"$(tr ';' ' ' <build-fuzz/fuzz-harnesses.txt)"
for h in "${harnesses[@]}"; do
    work=build-fuzz/corpus/$h crashes=build-fuzz/crashes/$h
    mkdir -p "$work" "$crashes"
    log=build-fuzz/fuzz-$h.log
    # Inputs up to libFuzzer's 4 KB by default; the reply reader takes up to its own bound
    # (1 MiB), where floods of interim replies live.
    max_len=()
    [[ "$h" == http_reply ]] && max_len=(-max_len=1100000)
    set +e
    "build-fuzz/tests/fuzz/fuzz_$h" -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=2048 \
        "${max_len[@]}" -artifact_prefix="$crashes/" -print_final_stats=1 "$work" \
        "tests/fuzz/corpus/$h" >"$log" 2>&1
    code=$?
    set -e
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    if ((code == 0)); then
        result=ok
    else
        result="FAILED (exit $code, see $log)"
        failed+=("$h")
    fi
    printf '%-18s %8s %10s  %s\n' "$h" "$SECONDS_EACH" "${runs:-?}" "$result"
done
if ((${#failed[@]} > 0)); then
    echo "fuzz: failed: ${failed[*]}" >&2
    exit 1
fi
echo "fuzz: ${#harnesses[@]} harnesses x ${SECONDS_EACH} s, no crash"
