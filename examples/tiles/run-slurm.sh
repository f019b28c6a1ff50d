#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# NIBAL over a large DEM as a Slurm array job (one task per tile), then a
# job that builds the mosaic once every tile has finished.
#
# Usage: run-slurm.sh DEM OUTDIR [TILE_SIZE [NIBAL OPTIONS ...]]
#   as run-parallel.sh; OUTDIR must be on a file system every node sees, and
#   this folder (build-mosaic.sh) on the node that builds the mosaic.
# Environment:
#   MAX_RUNNING  tasks running at once (default 64)
#   SBATCH_OPTS  further sbatch options for both jobs (partition, account,
#                time, memory: NIBAL needs a few hundred MB per task)
#   WAIT=1       wait until the mosaic is built (for scripts and tests)
#   COG=1        also write a Cloud-Optimized GeoTIFF of the mosaic
#   SODWRIGHT_BATCH  the program to run (default: sodwright-batch)
# A Slurm array holds at most MaxArraySize tasks (1001 unless the cluster
# sets more): choose the tile size so that the count stays below it.
set -euo pipefail
if (($# < 2)); then
  sed -n '4,18p' "$0" >&2
  exit 2
fi
here=$(dirname "$(realpath "$0")")
dem=$(realpath "$1")
out=$(realpath -m "$2")
size=${3:-2048}
shift $(($# < 3 ? $# : 3))
batch=${SODWRIGHT_BATCH:-sodwright-batch}

mkdir -p "$out/tiles" "$out/logs"
"$batch" nibal-tiles "$dem" --tile-size "$size" >"$out/tiles.txt"
count=$(wc -l <"$out/tiles.txt")
# shellcheck disable=SC2086
array=$(sbatch --parsable ${SBATCH_OPTS:-} --job-name=nibal-tiles \
  --array="0-$((count - 1))%${MAX_RUNNING:-64}" --output="$out/logs/tile-%a.log" \
  "$here/tile-task.sbatch" "$batch" "$dem" "$out" "$size" "$@")
wait=()
[[ ${WAIT:-0} == 1 ]] && wait=(--wait)
# shellcheck disable=SC2086
sbatch --parsable ${SBATCH_OPTS:-} "${wait[@]}" --job-name=nibal-mosaic \
  --dependency="afterok:$array" --kill-on-invalid-dep=yes --output="$out/logs/mosaic.log" \
  --export="ALL,COG=${COG:-0}" --wrap "$(printf '%q %q' "$here/build-mosaic.sh" "$out")" >/dev/null
echo "$count tiles in array job $array; mosaic: $out/soil-loss.vrt"
