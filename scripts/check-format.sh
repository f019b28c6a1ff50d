#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a C++ file of the project differs from what clang-format makes of
# it or does not open with the SPDX licence line.
set -euo pipefail
cd "$(dirname "$0")/.."
format=${CLANG_FORMAT:-clang-format-14}
mapfile -t files < <(git ls-files -- 'src/*.cpp' 'src/*.h' 'app/*.cpp' 'app/*.h' 'tests/*.cpp' 'tests/*.h' \
  'bench/*.cpp' 'bench/*.h' 'python/*.cpp' 'python/*.h' 'fuzz/*.cpp' 'fuzz/*.h' 'docs/*.cpp' 'docs/*.h')
"$format" --dry-run --Werror "${files[@]}"
# Every C++ file says its licence in its first line.
unlicensed=0
for f in "${files[@]}"; do
  if [ "$(head -n 1 "$f")" != "// SPDX-License-Identifier: GPL-3.0-or-later" ]; then
    echo "$f: the first line is not the SPDX licence line" >&2
    unlicensed=1
  fi
done
[ "$unlicensed" -eq 0 ]
echo "${#files[@]} files formatted as .clang-format says"
