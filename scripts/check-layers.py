#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks that the #include lines of src/ point one way.

Layers, lowest first:
  base, base/text  number texts, the result type, text files, CSV and report
                   texts, import messages (standard library only)
  platform         service interfaces, plain headers (may use base)
  kolv, nibal, bando
                   the three models' computation (may use base and platform).
                   KOLV's sub-folders have an order of their own:
                   kolv/state < kolv/engine < kolv/stability < kolv/io and
                   kolv/charts < kolv (the checks and commands the windows and
                   the batch share) < kolv/study (study runs and ensembles)
                   < kolv/fit (fitting to measurements)
  platform/figures figures painted with Qt Gui, no widgets (may use base and platform)
  platform/qt, platform/workbook, platform/raster
                   adapters of the platform services: Qt, workbooks, GDAL rasters
                   (may use base, platform and platform/figures)
  nibal/raster     the grid model's rasters (may use nibal and platform/raster)
  shared_ui        the windows every model shares (may use the adapters)
  kolv/ui, nibal/ui, bando/ui
                   each model's windows (may use its own model and shared_ui)

A folder may include its own headers and those of the folders listed for it
below; a computation folder or a platform interface includes no Qt header.
The Python module (python/, beside src/) calls the computation only: it may
include the computation folders' headers, no adapter, window or Qt header.
Usage: check-layers.py [SOURCE_ROOT]; exit status 1 names every offending line.
"""
import pathlib
import re
import sys

KOLV = ["kolv/state", "kolv/engine", "kolv/stability", "kolv/io", "kolv/charts", "kolv"]
COMPUTATION = {"base", "base/text", "platform", "nibal", "bando", *KOLV, "kolv/study", "kolv/fit"}
BASE = {"base", "base/text"}
ADAPTERS = BASE | {"platform", "platform/figures", "platform/qt", "platform/workbook"}
WINDOWS = ADAPTERS | {"shared_ui"}
ALLOWED = {
    "base": {"base"},
    "base/text": BASE,
    "platform": BASE | {"platform"},
    "kolv/state": BASE | {"platform", "kolv/state"},
    "kolv/engine": BASE | {"platform", "kolv/state", "kolv/engine"},
    "kolv/stability": BASE | {"platform", "kolv/state", "kolv/engine", "kolv/stability"},
    "kolv/io": BASE | {"platform", "kolv/state", "kolv/engine", "kolv/stability", "kolv/io"},
    "kolv/charts": BASE | {"platform", "kolv/state", "kolv/engine", "kolv/stability", "kolv/charts"},
    "kolv": BASE | {"platform", *KOLV},
    "kolv/study": BASE | {"platform", *KOLV, "kolv/study"},
    "kolv/fit": BASE | {"platform", *KOLV, "kolv/study", "kolv/fit"},
    "nibal": BASE | {"platform", "nibal"},
    "bando": BASE | {"platform", "bando"},
    "platform/figures": BASE | {"platform", "platform/figures"},
    "platform/qt": ADAPTERS,
    "platform/workbook": ADAPTERS,
    "platform/raster": BASE | {"platform", "platform/raster"},
    "nibal/raster": BASE | {"platform", "platform/raster", "nibal", "nibal/raster"},
    "shared_ui": WINDOWS,
    "kolv/ui": WINDOWS | {*KOLV, "kolv/study", "kolv/fit", "kolv/ui"},
    "nibal/ui": WINDOWS | {"nibal", "nibal/raster", "nibal/ui"},
    "bando/ui": WINDOWS | {"bando", "bando/ui"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
QT_HEADER = re.compile(r"^(Q[A-Za-z0-9_]*|Qt[A-Za-z0-9_]*/.*)$")


def folder_of(relative: str) -> str:
    """The layer folder of a path below src/: its longest listed prefix."""
    parts = relative.split("/")
    for depth in (2, 1):
        candidate = "/".join(parts[:depth])
        if candidate in ALLOWED and len(parts) > depth:
            return candidate
    return ""


def check(root: pathlib.Path) -> list[str]:
    src = root / "src"
    faults = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        relative = path.relative_to(src).as_posix()
        folder = folder_of(relative)
        if not folder:
            faults.append(f"src/{relative}: lies in no known layer folder")
            continue
        for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), start=1):
            match = INCLUDE.match(line)
            if not match:
                continue
            bracket, target = match.groups()
            where = f"src/{relative}:{number}: {line.strip()}"
            if bracket == "<":
                if folder in COMPUTATION and QT_HEADER.match(target):
                    faults.append(f"{where}  (a Qt header in the computation folder {folder})")
                continue
            included = folder_of(target)
            if not included:
                faults.append(f"{where}  (not a path below src/ with its folder)")
            elif included not in ALLOWED[folder]:
                faults.append(f"{where}  ({folder} may not include {included})")
    for path in sorted((root / "python").rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), start=1):
            match = INCLUDE.match(line)
            if not match:
                continue
            bracket, target = match.groups()
            where = f"{path.relative_to(root).as_posix()}:{number}: {line.strip()}"
            if bracket == "<":
                if QT_HEADER.match(target):
                    faults.append(f"{where}  (a Qt header in the Python module)")
            elif folder_of(target) not in COMPUTATION:
                faults.append(f"{where}  (the Python module includes the computation only)")
    return faults


def main() -> int:
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent)
    faults = check(root)
    for fault in faults:
        print(fault)
    if faults:
        print(f"{len(faults)} include line(s) break the layers", file=sys.stderr)
        return 1
    print("layers: every #include points one way")
    return 0


if __name__ == "__main__":
    sys.exit(main())
