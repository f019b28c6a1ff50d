#!/usr/bin/env python3
"""Checks that the #include lines of src/ point one way.

Layers, lowest first:
  base             number texts and the result type (standard library only)
  shell            text files, CSV and report texts, import messages (may use base)
  platform         service interfaces and their recording fakes (may use base)
  transect, grid, indicator
                   the three models' computation (may use base, shell and platform)
  platform/figures figures painted with Qt Gui, no widgets (may use base and platform)
  platform/qt, platform/workbook, platform/raster
                   adapters of the platform services: Qt, workbooks, GDAL rasters
                   (may use base, platform and platform/figures)
  grid/raster      the grid model's rasters (may use grid and platform/raster)
  shell/ui         the shared windows (may use the adapters)
  transect/ui, grid/ui, indicator/ui
                   each model's windows (may use its own model and shell/ui)

A folder may include its own headers and those of the folders listed for it
below; a computation folder or a platform interface includes no Qt header.
Usage: check-layers.py [SOURCE_ROOT]; exit status 1 names every offending line.
"""
import pathlib
import re
import sys

COMPUTATION = {"base", "shell", "platform", "platform/fakes", "transect", "grid", "indicator"}
ADAPTERS = {"base", "platform", "platform/figures", "platform/qt", "platform/workbook"}
WINDOWS = ADAPTERS | {"shell", "shell/ui"}
ALLOWED = {
    "base": {"base"},
    "shell": {"base", "shell"},
    "platform": {"base", "platform"},
    "platform/fakes": {"base", "platform", "platform/fakes"},
    "transect": {"base", "shell", "platform", "transect"},
    "grid": {"base", "shell", "platform", "grid"},
    "indicator": {"base", "shell", "platform", "indicator"},
    "platform/figures": {"base", "platform", "platform/figures"},
    "platform/qt": ADAPTERS,
    "platform/workbook": ADAPTERS,
    "platform/raster": {"base", "platform", "platform/raster"},
    "grid/raster": {"base", "shell", "platform", "platform/raster", "grid", "grid/raster"},
    "shell/ui": WINDOWS,
    "transect/ui": WINDOWS | {"transect", "transect/ui"},
    "grid/ui": WINDOWS | {"grid", "grid/raster", "grid/ui"},
    "indicator/ui": WINDOWS | {"indicator", "indicator/ui"},
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
