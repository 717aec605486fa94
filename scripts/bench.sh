#!/usr/bin/env bash
# Builds the release simulator with the benchmarks and prints their results as one table,
# with the target of each row that has one and whether this run met it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
BUILD_DIR=${VISTREL_BENCH_DIR:-build-bench}
cmake --preset sim-release -B "$BUILD_DIR" -DVISTREL_BENCH=ON >/dev/null
cmake --build "$BUILD_DIR" -j2 --target bench_capture bench_history
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
for b in bench_capture bench_history; do
    "$BUILD_DIR/bench/$b" --benchmark_format=json --benchmark_out="$out/$b.json" \
        --benchmark_out_format=json >/dev/null
done
/usr/bin/python3 - "$out"/*.json <<'PY'
import json, sys
runs = {}
for f in sys.argv[1:]:
    runs.update({b["name"]: b for b in json.load(open(f))["benchmarks"]})
def wall(b, key):
    # Google Benchmark divides by the calling thread's CPU time; the encoder works on its
    # own threads, so report every rate per second of wall time.
    return b[key] * b["cpu_time"] / b["real_time"]
def ms(b):
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b["time_unit"]]
    return b["real_time"] * scale
rows = []  # name, measured, rate, target, mark
for name, b in runs.items():
    extra = []
    if "bytes_per_second" in b: extra.append(f'{wall(b, "bytes_per_second") / 1e9:.2f} GB/s')
    if "items_per_second" in b: extra.append(f'{wall(b, "items_per_second"):,.0f} /s')
    for k in ("pulled_per_s", "lost", "encoded"):
        if k in b: extra.append(f"{k}={b[k]:.1f}")
    target = mark = ""
    limits = {"BM_HistorySearch/20000": 30, "BM_HistoryDetail/20000": 30,
              "BM_HistoryDelete/20000": 150}
    if name in limits:
        target = f"<= {limits[name]} ms"
        mark = "met" if ms(b) <= limits[name] else "short"
    rows.append((name, f'{b["real_time"]:.3f} {b["time_unit"]}', ", ".join(extra), target, mark))
conv, copy = runs.get("BM_PreviewConvert"), runs.get("BM_LumaMemcpy")
if conv and copy:
    ratio = conv["real_time"] / copy["real_time"]
    rows.append(("preview conversion / 2 MB memcpy", f"{ratio:.2f}x", "", "<= 2x",
                 "met" if ratio <= 2 else "short"))
# Growth: doubling the file at most about doubles each history operation.
for op in ("Search", "Detail", "Delete", "Export"):
    a, b = runs.get(f"BM_History{op}/20000"), runs.get(f"BM_History{op}/40000")
    if a and b:
        g = ms(b) / ms(a)
        rows.append((f"history {op.lower()} 40k / 20k", f"{g:.2f}x", "", "<= 2.3x (linear)",
                     "met" if g <= 2.3 else "short"))
heads = ("benchmark", "time", "rate", "target", "")
w = [max(len(str(r[i])) for r in rows + [heads]) for i in range(5)]
print("  ".join(str(h).ljust(w[i]) for i, h in enumerate(heads)).rstrip())
for r in rows:
    print("  ".join(str(c).ljust(w[i]) for i, c in enumerate(r)).rstrip())
PY
