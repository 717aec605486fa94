#!/usr/bin/env bash
# Builds the release simulator with the benchmarks and prints their results as one table.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
BUILD_DIR=${VISTREL_BENCH_DIR:-build-bench}
cmake --preset sim-release -B "$BUILD_DIR" -DVISTREL_BENCH=ON >/dev/null
cmake --build "$BUILD_DIR" -j2 --target bench_capture
json=$(mktemp)
trap 'rm -f "$json"' EXIT
"$BUILD_DIR/bench/bench_capture" --benchmark_format=json --benchmark_out="$json" \
    --benchmark_out_format=json >/dev/null
/usr/bin/python3 - "$json" <<'PY'
import json, sys
runs = {b["name"]: b for b in json.load(open(sys.argv[1]))["benchmarks"]}
def wall(b, key):
    # Google Benchmark divides by the calling thread's CPU time; the encoder works on its
    # own threads, so report every rate per second of wall time.
    return b[key] * b["cpu_time"] / b["real_time"]
rows = []
for name, b in runs.items():
    t = b["real_time"]; unit = b["time_unit"]
    extra = []
    if "bytes_per_second" in b: extra.append(f'{wall(b, "bytes_per_second") / 1e9:.2f} GB/s')
    if "items_per_second" in b: extra.append(f'{wall(b, "items_per_second"):,.0f} /s')
    for k in ("pulled_per_s", "lost", "encoded"):
        if k in b: extra.append(f"{k}={b[k]:.1f}")
    rows.append((name, f"{t:.3f} {unit}", ", ".join(extra)))
conv, copy = runs.get("BM_PreviewConvert"), runs.get("BM_LumaMemcpy")
if conv and copy:
    rows.append(("preview conversion / 2 MB memcpy", f'{conv["real_time"] / copy["real_time"]:.2f}x', "target: within 2x"))
w = max(len(r[0]) for r in rows)
print(f'{"benchmark".ljust(w)}  {"time".rjust(14)}  rate')
for r in rows:
    print(f"{r[0].ljust(w)}  {r[1].rjust(14)}  {r[2]}")
PY
