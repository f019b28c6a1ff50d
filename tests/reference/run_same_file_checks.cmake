# SPDX-License-Identifier: GPL-3.0-or-later
# Arguments: BATCH, TRANSECT (a tab-delimited transect file), EXAMPLES (the
# examples folder: small-field-dem.tif, small-field-grid.txt), WORK_DIR.
# Each refusal exits with status 2 and leaves every file as it was.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/../support/batch_expect.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/sub)
file(COPY ${TRANSECT} DESTINATION ${WORK_DIR})
file(COPY_FILE ${EXAMPLES}/small-field-dem.tif ${WORK_DIR}/dem.tif)
file(COPY_FILE ${EXAMPLES}/small-field-grid.txt ${WORK_DIR}/grid.txt)
set(in ${WORK_DIR}/transect.txt)
set(refused "is the same file as")

set(BATCH_COMMAND ${BATCH} kolv)
expect_run(2 "--report ${in} ${refused} INPUT: give another file" ${in} --sequences 2 --report ${in})
expect_run(2 "--csv ${WORK_DIR}/sub/../r.txt ${refused} --report ${WORK_DIR}/r.txt" ${in} --sequences 2
           --report ${WORK_DIR}/r.txt --csv ${WORK_DIR}/sub/../r.txt)
expect_same(${TRANSECT} ${in} "the transect after kolv --report on it")

set(BATCH_COMMAND ${BATCH} nibal)
expect_run(2 "--write-raster ${WORK_DIR}/./dem.tif ${refused} --raster ${WORK_DIR}/dem.tif"
           --raster ${WORK_DIR}/dem.tif --write-raster ${WORK_DIR}/./dem.tif)
expect_same(${EXAMPLES}/small-field-dem.tif ${WORK_DIR}/dem.tif "the DEM after --write-raster on it")
file(CREATE_LINK ${WORK_DIR}/grid.txt ${WORK_DIR}/hard.txt)
expect_run(2 "--csv ${WORK_DIR}/hard.txt ${refused} INPUT ${WORK_DIR}/grid.txt" ${WORK_DIR}/grid.txt
           --rows 30 --columns 40 --row-spacing 5 --column-spacing 5 --csv ${WORK_DIR}/hard.txt)
expect_same(${EXAMPLES}/small-field-grid.txt ${WORK_DIR}/grid.txt "the grid after --csv on it")
file(GLOB written ${WORK_DIR}/r.txt ${WORK_DIR}/*.csv)
if(written)
  message(FATAL_ERROR "a refused run wrote ${written}")
endif()
message(STATUS "same-file checks passed")
