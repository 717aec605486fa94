#!/usr/bin/env bash
# Builds the release simulator with the benchmarks and prints their results as one table,
# with the target of each row that has one and whether this run met it. The rows marked
# "estimate" are the ARM cores', from bench/arm_estimate.py (llvm-mca on a named core model,
# and instructions counted under qemu-user), beside the ones measured on this machine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh bench
BUILD_DIR=${VISTREL_BENCH_DIR:-build-bench}
# The tests' kit is built too: the benchmark of the running device uses it.
cmake --preset sim-release -B "$BUILD_DIR" -DVISTREL_BENCH=ON -DBUILD_TESTING=ON >/dev/null
cmake --build "$BUILD_DIR" -j2 --target bench_capture bench_history bench_app vistrel
out=$(mktemp -d)
LAUNCHER=sim/services/launcher.py
SERVICES="$BUILD_DIR/services" # where the tests' kit looks for the stand-ins
trap '/usr/bin/python3 "$LAUNCHER" stop --dir "$SERVICES" >/dev/null 2>&1 || true; rm -rf "$out"' EXIT
"$BUILD_DIR/bench/bench_capture" --benchmark_format=json --benchmark_out="$out/bench_capture.json" \
    --benchmark_out_format=json >/dev/null
# The history operations take a few milliseconds: the median of five repetitions, so that
# one slow moment of the machine does not decide a row (nor the 40k / 20k growth).
"$BUILD_DIR/bench/bench_history" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_format=json --benchmark_out="$out/bench_history.json" \
    --benchmark_out_format=json >/dev/null
/usr/bin/python3 "$LAUNCHER" start --dir "$SERVICES" >/dev/null
export VISTREL_SIM_CA="$SERVICES/tls/ca.pem" # the stand-ins serve TLS under their own CA
# The distance sensor's driver prints its readings: the figures are the last line.
if ! "$BUILD_DIR/bench/bench_app" 2>"$out/app.err" | tail -n 1 >"$out/app.json"; then
    cat "$out/app.err" >&2
    exit 1
fi
/usr/bin/python3 "$LAUNCHER" stop --dir "$SERVICES" >/dev/null
# Process start to the first painted start page: the application prints the monotonic
# clock once it has painted and ends (VISTREL_EXIT_AT_FIRST_PAINT); ten starts on one
# board, each with an empty /tmp as after a boot.
/usr/bin/python3 - "$BUILD_DIR/bin/vistrel" "$out/board" >"$out/paint.json" <<'PY'
import json, os, shutil, statistics, subprocess, sys, time
binary, board = sys.argv[1], sys.argv[2]
env = dict(os.environ, QT_QPA_PLATFORM="offscreen", VISTREL_SIM_BOARD_ROOT=board,
           VISTREL_EXIT_AT_FIRST_PAINT="1")
times = []
for _ in range(10):
    shutil.rmtree(os.path.join(board, "tmp"), ignore_errors=True)
    t0 = time.monotonic_ns()
    p = subprocess.run([binary], env=env, capture_output=True, text=True, timeout=60)
    painted = [l for l in p.stdout.splitlines() if l.startswith("first paint ")]
    if not painted:
        sys.exit("bench: the application ended without painting (exit %d)" % p.returncode)
    times.append((int(painted[-1].split()[2]) - t0) / 1e6)
json.dump({"first_paint_ms": statistics.median(times), "first_paint_all_ms": times},
          sys.stdout)
PY
/usr/bin/python3 bench/arm_estimate.py "$BUILD_DIR/arm-estimate" >"$out/arm.json"
/usr/bin/python3 - "$out"/bench_*.json "$out/app.json" "$out/paint.json" "$out/arm.json" <<'PY'
import json, sys
runs, app = {}, {}
arm = json.load(open(sys.argv[-1]))
for f in sys.argv[1:-1]:
    data = json.load(open(f))
    if "benchmarks" in data:
        for b in data["benchmarks"]:
            if b.get("run_type") == "aggregate":
                if b.get("aggregate_name") == "median":
                    runs[b["run_name"]] = b  # repeated: the median stands for the run
            else:
                runs[b["name"]] = b
    else:
        app.update(data)
def wall(b, key):
    # Google Benchmark divides by the calling thread's CPU time; the encoder works on its
    # own threads, so report every rate per second of wall time.
    return b[key] * b["cpu_time"] / b["real_time"]
def ms(b):
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b["time_unit"]]
    return b["real_time"] * scale
rows = []  # name, measured, rate, target, mark
special = ("BM_PreviewConvertVsCopy", "BM_FramePumpRecording", "BM_Encoder1080p")
for name, b in runs.items():
    if name.startswith(special):
        continue  # their own rows below
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
def row(name, measured, target, ok, rate=""):
    rows.append((name, measured, rate, target, "" if ok is None else ("met" if ok else "short")))
vs = runs.get("BM_PreviewConvertVsCopy/iterations:1")
if vs:
    row("preview conversion / 2 MB copy (medians, alternated)", f'{vs["ratio"]:.2f}x',
        "<= 1.25x", vs["ratio"] <= 1.25,
        f'convert {vs["convert_us"]:.0f} us, copy {vs["copy_us"]:.0f} us; ' +
        ", ".join(f'{k} {vs["ratio_" + k]:.2f}x' for k in ("avx512", "avx2", "sse2", "portable")
                  if "ratio_" + k in vs))
# The ARM cores: llvm-mca's cycles for the kernel's loop and the copy loop, over the steps a
# frame takes; the instructions of one frame counted under qemu-user.
for name, e in arm.items():
    method = f'estimate, llvm-mca {e["mca_cpu"]}'
    kernel = f'{name} {"ASIMD" if name == "arm64" else "NEON"}'
    row(f'preview conversion / copy loop, {kernel} ({method})', f'{e["ratio"]:.2f}x',
        "<= 1.5x", e["ratio"] <= 1.5,
        f'{e["cycles_per_pixel"]:.2f} cycles/output pixel, {e["cycles_per_frame_byte"]:.3f} '
        f'cycles/frame byte; copy {e["copy_cycles_per_byte"]:.3f} cycles/byte; '
        f'core model: {e["core"]}')
    row(f'preview conversion, {kernel}, 5 frames/s ({method}, 1 GHz assumed)',
        f'{e["core_share_pct"]:.2f} % of a core', "< 10 %", e["core_share_pct"] < 10,
        f'{e["kernel_frame_cycles"] / 1e6:.2f} M cycles/frame, copy '
        f'{e["copy_frame_cycles"] / 1e6:.2f} M')
    row(f'instructions per frame, {name} (estimate, counted under qemu-user)',
        f'{e["qemu_kernel_insts"] / 1e3:.0f} k', "", None,
        f'portable kernel {e["qemu_portable_insts"] / 1e3:.0f} k, '
        f'copy loop {e["qemu_copy_insts"] / 1e3:.0f} k; '
        f'chroma fill of an encoded frame {e["qemu_chroma_fill_insts"] / 1e3:.0f} k')
pump = runs.get("BM_FramePumpRecording/iterations:1/manual_time")
if pump:
    row("frame pump while recording: pulled, converted, encoded /s, lost",
        f'{pump["pulled_per_s"]:.1f}, {pump["converted_per_s"]:.1f}, '
        f'{pump["encoded_per_s"]:.1f}/s, {pump["lost"]:.0f}',
        ">= 29.5, 5, 29.5/s, 0 lost",
        pump["pulled_per_s"] >= 29.5 and abs(pump["converted_per_s"] - 5) <= 0.25
        and pump["encoded_per_s"] >= 29.5 and pump["lost"] == 0,
        f'{pump["encoded"]:.0f} of 180 lit frames encoded')
if "previews_per_s" in app:
    row("frame pump in preview: images converted /s", f'{app["previews_per_s"]:.2f}/s',
        "5/s (every 6th frame)", abs(app["previews_per_s"] - 5) <= 0.25)
enc = next((b for n, b in runs.items() if n.startswith("BM_Encoder1080p")), None)
if enc:
    fps = wall(enc, "items_per_second")
    row("encoder 1920 x 1080 (virtual board)", f"{fps:.1f} frames/s", ">= 15/s", fps >= 15)
if "first_paint_ms" in app:
    row("process start to first painted start page (median of 10)",
        f'{app["first_paint_ms"]:.0f} ms', "<= 150 ms", app["first_paint_ms"] <= 150)
for phase, limit in (("preview", 3), ("recording", None)):
    key = f"{phase}_app_cpu_pct"
    if key in app:
        row(f"application threads in {phase}, % of one core", f"{app[key]:.1f} %",
            f"<= {limit} %" if limit else "", app[key] <= limit if limit else None,
            f'board models {app[phase + "_models_cpu_pct"]:.1f} %')
if "peak_rss_mb" in app:
    row("longest wait between GUI ticks during Wi-Fi scans (200 ms tick)",
        f'{app["wifi_max_tick_gap_ms"]:.0f} ms', "<= 300 ms", app["wifi_max_tick_gap_ms"] <= 300,
        f'{app["wifi_refreshes"]} refreshes in 8 s')
    row("peak resident memory, recording + upload", f'{app["peak_rss_mb"]:.1f} MB',
        "<= 100 MB", app["peak_rss_mb"] <= 100,
        f'anon {app["peak_rssanon_mb"]:.1f}, files {app["peak_rssfile_mb"]:.1f}, '
        f'shared {app["peak_rssshmem_mb"]:.1f} MB')
for size in (2, 50):
    key = f"upload_{size}mb_rss_growth_mb"
    if key in app:
        row(f"resident memory growth, upload of {size} MB", f"{app[key]:.1f} MB",
            "<= 4 MB (streamed)", app[key] <= 4)
if "outbox_20_delivery_s" in app:
    row("outbox: 20 waiting screenings delivered (upload, reply, history)",
        f'{app["outbox_20_delivery_s"]:.2f} s', "<= 20 s", app["outbox_20_delivery_s"] <= 20,
        f'{app["outbox_20_delivered"]} delivered, memory growth {app["outbox_rss_growth_mb"]:.1f} MB')
    row("resident memory growth, outbox delivery", f'{app["outbox_rss_growth_mb"]:.1f} MB',
        "<= 4 MB (streamed)", app["outbox_rss_growth_mb"] <= 4)
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
