#!/usr/bin/python3
"""The preview conversion's cost on the ARM cores that ship, estimated: timings under
emulation say nothing of a board, so the release build's code is measured instead.

  bench/arm_estimate.py OUT_DIR       prints one JSON object, keeps its inputs in OUT_DIR

For armhf and arm64 it compiles the conversion (src/capture/preview_convert.cpp) and
bench/arm_frame.cpp with the cross compiler and the device build's flags, and then
  - gives the inner loop of the NEON/ASIMD kernel and the plain copy loop of arm_frame.cpp
    to llvm-mca on a named core model: cycles per loop step, and from the steps a 1920 x 1080
    frame takes, cycles per frame, per output pixel and per copied byte;
  - runs arm_frame under qemu-user with an execution log (every translated block as it runs,
    unchained) and counts the instructions of one frame, the difference of 2 frames and 1:
    with the NEON/ASIMD kernel, with the portable one (the boards without NEON), of the
    copy loop, and of the chroma fill that each encoded frame gets. arm_frame also checks the release build's kernel against the portable one.
The loop figures assume the data in the first-level cache; both loops move the same bytes,
so the misses add alike to both and the ratio stands.
"""
import json
import os
import re
import subprocess
import sys

SRC = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
W, H, OUT_W, OUT_H = 1920, 1080, 880, 330  # the camera frame and the preview
FPS = 5  # previews a second: every sixth of 30 frames
CLOCK_HZ = 1.0e9  # assumed core clock; the share of a core scales with its inverse

ARCHES = {
    # triplet, llvm-mca's triple, core and features, the core as the table names it, qemu.
    # LLVM 15 models no Cortex-A7 or A53 in 32-bit state; of its 32-bit models only the A57's
    # costs NEON loads and stores (the A9's leaves them free), and it issues out of order.
    "armhf": ("arm-linux-gnueabihf", "thumbv7a-linux-gnueabihf", "cortex-a57", "+neon",
              "Cortex-A57 in 32-bit state, out of order", "qemu-arm"),
    "arm64": ("aarch64-linux-gnu", "aarch64-linux-gnu", "cortex-a53", "",
              "Cortex-A53, in order", "qemu-aarch64"),
}
FLAGS = ["-O3", "-DNDEBUG", "-fPIC", "-std=c++17", "-Wno-psabi", "-I" + os.path.join(SRC, "src")]


def run(cmd, **kw):
    return subprocess.run(cmd, check=True, capture_output=True, text=True, **kw).stdout


def functions(asm):
    """name -> list of instruction or label lines of each function in a GCC .s file."""
    out, name = {}, None
    for line in asm.splitlines():
        m = re.match(r"^([A-Za-z_.$][\w.$]*):", line)
        if m and not m.group(1).startswith(".L"):
            name = m.group(1)
            out[name] = []
        elif name and re.match(r"^\s*\.size\s", line):
            name = None
        elif name:
            code = re.split(r"\s@|//", line)[0].strip()  # without its comment
            if re.match(r"^\.L\w+:$", code) or (code and not code.startswith((".", "@"))):
                out[name].append(code)
    return out


def loops(body):
    """The innermost loops of a function: the lines from a label to a branch back to it,
    with no other branch back inside (forward branches may be)."""
    labels = {l[:-1]: i for i, l in enumerate(body) if l.endswith(":")}
    back = []  # (label's line, branch's line)
    for i, line in enumerate(body):
        m = re.match(r"^(b\.?\w*|c[bz]n?z\w*)\s+.*?(\.L\w+)$", line)
        if m and m.group(2) in labels and labels[m.group(2)] < i:
            back.append((labels[m.group(2)], i))
    return [body[a:b + 1] for a, b in back
            if not any(a <= a2 and b2 < b for a2, b2 in back if (a2, b2) != (a, b))]


STORE = r"^(v?st[1-4]|stp?\s+q|str\s+q)"


def pick(asm, name_part, musts, what):
    """The loop of the functions whose name matches name_part that has an instruction matching
    each of musts and the most vector stores (for the kernel: the band of two rows with
    figures, the common one), the shortest of those. Its branches inside are taken as not
    taken: llvm-mca reads a loop as one straight block."""
    cands = [lp for n, body in functions(asm).items() if re.search(name_part, n)
             for lp in loops(body) if all(any(re.search(m, x) for x in lp) for m in musts)]
    if not cands:
        sys.exit(f"arm_estimate: no loop of {what} found in the compiled code")
    return max(cands, key=lambda lp: (sum(1 for x in lp if re.match(STORE, x)), -len(lp)))


def mca(loop, triple, cpu, attr, out_path):
    text = "\n".join(x for x in loop if not x.endswith(":")) + "\n"
    if triple.startswith("thumb"):
        text = ".syntax unified\n.thumb\n" + text
    open(out_path, "w").write(text)
    cmd = ["llvm-mca-15", f"-mtriple={triple}", f"-mcpu={cpu}", "-iterations=1000", out_path]
    if attr:
        cmd.insert(3, f"-mattr={attr}")
    report = run(cmd)
    open(out_path + ".mca", "w").write(report)
    cycles = int(re.search(r"Total Cycles:\s+(\d+)", report).group(1))
    insts = int(re.search(r"Instructions:\s+(\d+)", report).group(1))
    return cycles / 1000.0, insts // 1000


def instructions(qemu, binary, args, log):
    """Instructions the program ran, from qemu's log of translated and executed blocks."""
    subprocess.run([qemu, "-L", "/", "-d", "in_asm,exec,nochain", "-D", log, binary] + args,
                   check=True)
    sizes, block, total = {}, None, 0
    with open(log, errors="replace") as f:
        for line in f:
            if line.startswith("IN:"):
                block = None
            elif line.startswith("0x"):
                pc = int(line.split(":")[0], 16)
                if block is None:
                    block = pc
                    sizes[block] = 0
                sizes[block] += 1
            elif line.startswith("Trace "):
                pc = int(re.search(r"\[[0-9a-f]+/([0-9a-f]+)/", line).group(1), 16)
                total += sizes.get(pc, 0)
    os.remove(log)
    return total


def estimate(arch, out):
    triplet, triple, cpu, attr, core, qemu = ARCHES[arch]
    gxx = f"{triplet}-g++"
    asm = {}
    for name, src in (("kernel", "src/capture/preview_convert.cpp"),
                      ("frame", "bench/arm_frame.cpp")):
        s = os.path.join(out, f"{arch}-{name}.s")
        run([gxx] + FLAGS + ["-S", os.path.join(SRC, src), "-o", s])
        asm[name] = open(s).read()
    kernel = pick(asm["kernel"], "(?i)neon", [r"^v?u?mull"], "the NEON kernel")
    copy = pick(asm["frame"], "copyLoop", [STORE], "the copy loop")
    k_cycles, k_insts = mca(kernel, triple, cpu, attr, os.path.join(out, f"{arch}-kernel-loop.s"))
    c_cycles, c_insts = mca(copy, triple, cpu, attr, os.path.join(out, f"{arch}-copy-loop.s"))
    # A kernel step makes 16 pixels, with two widening multiplies, and copies 32 bytes of
    # each of the band's two rows; its loop makes a few steps at a time. The band's bytes
    # past the image and the rows below the last band are copied at the copy loop's pace
    # (64 bytes a step).
    ways = sum(1 for x in kernel if re.match(r"^v?u?mull", x)) // 2
    step = k_cycles / ways
    steps = OUT_H * (OUT_W // 16)
    frame_bytes = W * H
    per_byte = c_cycles / 64
    kernel_frame = steps * step + (frame_bytes - steps * 64) * per_byte
    copy_frame = frame_bytes * per_byte
    binary = os.path.join(out, f"{arch}-arm_frame")
    run([gxx] + FLAGS + ["-o", binary, os.path.join(SRC, "bench/arm_frame.cpp"),
                         os.path.join(SRC, "src/capture/preview_convert.cpp")])
    count = {}
    for what in ("neon", "portable", "copy", "fill"):
        runs = [instructions(qemu, binary, [what, str(n)], os.path.join(out, f"{arch}.log"))
                for n in (1, 2)]
        count[what] = runs[1] - runs[0]
    return {
        "core": core, "mca_cpu": cpu, "steps_per_loop": ways,
        "kernel_step_cycles": step, "kernel_loop_insts": k_insts,
        "copy_64B_cycles": c_cycles, "copy_loop_insts": c_insts,
        "kernel_frame_cycles": kernel_frame, "copy_frame_cycles": copy_frame,
        "ratio": kernel_frame / copy_frame,
        "cycles_per_pixel": kernel_frame / (OUT_W * OUT_H),
        "cycles_per_frame_byte": kernel_frame / frame_bytes,
        "copy_cycles_per_byte": per_byte,
        "core_share_pct": 100.0 * kernel_frame * FPS / CLOCK_HZ,
        "qemu_kernel_insts": count["neon"], "qemu_portable_insts": count["portable"],
        "qemu_copy_insts": count["copy"], "qemu_chroma_fill_insts": count["fill"],
    }


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    json.dump({arch: estimate(arch, out) for arch in ARCHES}, sys.stdout, indent=1)
    print()


if __name__ == "__main__":
    main()
