#!/usr/bin/python3
"""The include map of src/: which layer each file belongs to, which layers it includes,
and whether any include runs up a layer or closes a circle.

The layers and what each may use come from the build (src/CMakeLists.txt writes them to
<build>/src/layers.txt, one line each: name, folder or file, the layers it links, comma-
separated or "-"). A header and its source file count as one module, so a circle between
two modules shows even when it runs through their .cpp files.

    scripts/check_layers.py --layers build/src/layers.txt --src src        # check, exit 1 on a fault
    scripts/check_layers.py --layers build/src/layers.txt --src src --map  # the layer map too
    scripts/check_layers.py --layers build/src/layers.txt --src src --dot  # Graphviz of the layers
"""
import argparse
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def read_layers(path):
    layers, where = {}, {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            parts = line.split()
            if len(parts) != 3:
                continue
            name, place, deps = parts
            layers[name] = set() if deps == "-" else set(deps.split(","))
            where[place] = name
    return layers, where


def reachable(layers):
    """Each layer with every layer below it that it may include."""
    out = {}
    for name in layers:
        seen, todo = set(), [name]
        while todo:
            for dep in layers.get(todo.pop(), ()):
                if dep not in seen:
                    seen.add(dep)
                    todo.append(dep)
        out[name] = seen
    return out


def layer_of(rel, where):
    if rel in where:
        return where[rel]
    return where.get(rel.split("/")[0])


def modules(src, where):
    """module -> (layer, set of included modules)."""
    found = {}
    for root, _, files in os.walk(src):
        for name in sorted(files):
            if not name.endswith((".h", ".cpp")):
                continue
            rel = os.path.relpath(os.path.join(root, name), src)
            layer = layer_of(rel, where)
            if layer is None:
                continue
            with open(os.path.join(root, name), encoding="utf-8") as f:
                text = f.read()
            module = os.path.splitext(rel)[0]
            entry = found.setdefault(module, [layer, set()])
            for inc in INCLUDE.findall(text):
                if os.path.exists(os.path.join(src, inc)):
                    target = os.path.splitext(inc)[0]
                    if target != module:
                        entry[1].add(target)
    return found


def circles(found):
    """Strongly connected components with more than one module (Tarjan)."""
    index, low, stack, on, out = {}, {}, [], set(), []
    counter = [0]

    def visit(v):
        index[v] = low[v] = counter[0]
        counter[0] += 1
        stack.append(v)
        on.add(v)
        for w in sorted(found[v][1]):
            if w not in found:
                continue
            if w not in index:
                visit(w)
                low[v] = min(low[v], low[w])
            elif w in on:
                low[v] = min(low[v], index[w])
        if low[v] == index[v]:
            group = []
            while True:
                w = stack.pop()
                on.discard(w)
                group.append(w)
                if w == v:
                    break
            if len(group) > 1:
                out.append(sorted(group))

    sys.setrecursionlimit(10000)
    for v in sorted(found):
        if v not in index:
            visit(v)
    return out


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawTextHelpFormatter)
    ap.add_argument("--layers", required=True)
    ap.add_argument("--src", required=True)
    ap.add_argument("--stamp")
    ap.add_argument("--map", action="store_true", help="print which layers each layer includes")
    ap.add_argument("--dot", action="store_true", help="print the layer graph for Graphviz")
    args = ap.parse_args()

    layers, where = read_layers(args.layers)
    below = reachable(layers)
    found = modules(args.src, where)
    faults, used = [], {name: set() for name in layers}
    for module, (layer, includes) in sorted(found.items()):
        for target in sorted(includes):
            other = found.get(target, [layer_of(target + ".h", where)])[0]
            if other is None or other == layer:
                continue
            used[layer].add(other)
            if other not in below[layer]:
                faults.append(f"{module} ({layer}) includes {target} ({other}): up a layer or "
                              f"undeclared; {layer} links {', '.join(sorted(below[layer])) or 'nothing'}")
    for group in circles(found):
        faults.append("circle: " + " -> ".join(group))

    if args.dot:
        print("digraph layers {")
        for name in layers:
            for other in sorted(used[name]):
                print(f'  "{name}" -> "{other}";')
        print("}")
    if args.map:
        for name in layers:
            print(f"{name:10} includes {', '.join(sorted(used[name])) or '-'}")
        print(f"{len(found)} modules, {sum(len(i) for _, i in found.values())} includes, "
              f"{len(faults)} faults")
    for fault in faults:
        print("layers: " + fault, file=sys.stderr)
    if faults:
        return 1
    if args.stamp:
        with open(args.stamp, "w", encoding="utf-8") as f:
            f.write("ok\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
