#!/usr/bin/env bash
# Fails when a C++ file of the project differs from what clang-format makes of it.
set -euo pipefail
cd "$(dirname "$0")/.."
format=${CLANG_FORMAT:-clang-format-14}
mapfile -t files < <(git ls-files -- 'src/*.cpp' 'src/*.h' 'app/*.cpp' 'app/*.h' 'tests/*.cpp' 'tests/*.h' \
  'bench/*.cpp' 'bench/*.h' 'fuzz/*.cpp' 'fuzz/*.h' 'docs/*.cpp' 'docs/*.h')
"$format" --dry-run --Werror "${files[@]}"
echo "${#files[@]} files formatted as .clang-format says"
