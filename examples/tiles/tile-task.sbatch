#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# One tile of a Slurm array job: the task number picks the tile.
# Arguments (given by run-slurm.sh): BATCH DEM OUTDIR TILE_SIZE [NIBAL OPTIONS ...]
#SBATCH --ntasks=1
#SBATCH --cpus-per-task=1
set -euo pipefail
batch=$1 dem=$2 out=$3 size=$4
shift 4
exec "$batch" nibal --raster "$dem" --tile "$SLURM_ARRAY_TASK_ID" --tile-size "$size" --quiet \
  --threads "${SLURM_CPUS_PER_TASK:-1}" --write-raster "$out/tiles/tile-$SLURM_ARRAY_TASK_ID.tif" "$@"
