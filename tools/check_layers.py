#!/usr/bin/env python3
"""Checks the engine's layers: every include between src/ folders goes down the order, the folder
graph has no cycle, and no operating-system, X11 or SDL header is included outside platform/.

Usage: check_layers.py [SRC_DIR] (default: the src/ folder beside this tool's folder). Prints each
offending line as FILE:LINE: reason, exits 1 if any.
"""
import os
import re
import sys

# Bottom to top: a folder may include itself and the folders before it.
ORDER = ["formats", "platform", "core", "gfx", "sound", "script", "features", "system", "check", "ui", "comforts",
         "app"]

# System headers that only platform/ may include: POSIX, Linux, X11 and SDL.
OS_HEADER = re.compile(
    r"^(unistd|fcntl|dirent|dlfcn|poll|pthread|signal|termios|sys/.*|linux/.*|X11/.*|SDL.*|"
    r"arpa/.*|netinet/.*|netdb|pwd|grp|glob|spawn|sched|semaphore)\.h$")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def main(src):
    problems = []
    edges = {}
    for root, _, names in os.walk(src):
        for name in sorted(names):
            if not name.endswith((".h", ".cpp")):
                continue
            path = os.path.join(root, name)
            rel = os.path.relpath(path, src)
            folder = rel.split(os.sep)[0]
            if folder not in ORDER:
                if os.sep in rel:
                    problems.append(f"{path}:1: folder '{folder}' is not a layer ({' -> '.join(ORDER)})")
                continue
            with open(path, encoding="utf-8", errors="replace") as f:
                for number, line in enumerate(f, 1):
                    m = INCLUDE.match(line)
                    if not m:
                        continue
                    kind, target = m.groups()
                    where = f"{path}:{number}: {line.strip()}"
                    if kind == "<":
                        if folder != "platform" and OS_HEADER.match(target):
                            problems.append(f"{where}: system header outside platform/")
                        continue
                    to = target.split("/")[0]
                    if to not in ORDER or to == folder:
                        continue
                    edges.setdefault(folder, set()).add(to)
                    if ORDER.index(to) > ORDER.index(folder):
                        problems.append(f"{where}: {folder} may not include {to} (above it)")
    problems += find_cycles(edges)
    for p in problems:
        print(p)
    print(f"layers: {' -> '.join(ORDER)}; {len(problems)} problem(s)")
    return 1 if problems else 0


def find_cycles(edges):
    """Folder cycles, each printed once as a -> b -> ... -> a."""
    cycles, state, stack = [], {}, []

    def visit(node):
        state[node] = "open"
        stack.append(node)
        for nxt in sorted(edges.get(node, ())):
            if state.get(nxt) == "open":
                cycle = stack[stack.index(nxt):] + [nxt]
                cycles.append("cycle: " + " -> ".join(cycle))
            elif nxt not in state:
                visit(nxt)
        stack.pop()
        state[node] = "done"

    for node in sorted(edges):
        if node not in state:
            visit(node)
    return cycles


if __name__ == "__main__":
    if len(sys.argv) > 2:
        print(__doc__.strip(), file=sys.stderr)
        sys.exit(2)
    default = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src")
    sys.exit(main(sys.argv[1] if len(sys.argv) == 2 else os.path.normpath(default)))
