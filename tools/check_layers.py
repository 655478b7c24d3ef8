#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks that the program's layers link one way (see src/CMakeLists.txt).

Each folder of src/ may include only from the folders it builds on; the core folders
include no Qt or SDL; quorvane-sim and the in-memory platform build on the core only;
the benchmarks take nothing from tests/. Prints each include that goes the wrong way and
exits with status 1 when there is one.
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
CORE = {"base", "scores", "audio", "game"}
ALLOWED = {
    "src/base": {"base"},
    "src/scores": {"base", "scores"},
    "src/audio": {"base", "audio"},
    "src/game": {"base", "scores", "audio", "game"},
    "src/sound": {"base", "audio", "sound"},
    "src/window": {"base", "scores", "audio", "game", "sound", "window"},
    "tools/sim": {"base", "scores", "audio", "game"},
    "tools/fake": {"base"},
    "tools/pad": set(),
}
PLATFORM_HEADER = re.compile(r"#include\s*<(Q\w*|SDL\w*|alsa/|fluidsynth|xcb)")
OUR_HEADER = re.compile(r'#include\s*"([^"]+)"')


def problems():
    for folder, allowed in ALLOWED.items():
        for path in sorted((ROOT / folder).rglob("*")):
            if path.suffix not in (".h", ".cpp"):
                continue
            name = path.relative_to(ROOT)
            for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
                match = OUR_HEADER.search(line)
                if match and "/" in match.group(1):
                    layer = match.group(1).split("/")[0]
                    if layer not in allowed:
                        yield f"{name}:{number}: {folder} may not include {match.group(1)}"
                if folder.split("/")[-1] in CORE | {"sim", "fake"} and PLATFORM_HEADER.search(line):
                    yield f"{name}:{number}: {folder} may not include Qt or SDL: {line.strip()}"
    for path in sorted((ROOT / "bench").rglob("*.cpp")) + sorted((ROOT / "bench").rglob("*.h")):
        for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
            if "tests/" in line and line.lstrip().startswith("#include"):
                yield f"{path.relative_to(ROOT)}:{number}: a benchmark may not include from tests/"


def main():
    found = list(problems())
    for problem in found:
        print(problem)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
