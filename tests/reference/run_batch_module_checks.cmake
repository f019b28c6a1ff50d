# SPDX-License-Identifier: GPL-3.0-or-later
# Arguments: BATCH, TRANSECT (a tab-delimited transect file), EXAMPLES (the
# examples folder), FIGURES (whether the build draws figures), WORK_DIR.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/alone)
include(${CMAKE_CURRENT_LIST_DIR}/../support/batch_expect.cmake)

# The runner itself needs neither Qt nor GDAL.
execute_process(COMMAND readelf -d ${BATCH} OUTPUT_VARIABLE dynamic RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "readelf cannot read ${BATCH}")
endif()
string(REGEX MATCHALL "\\[lib(gdal|Qt6)[^]]*\\]" large "${dynamic}")
if(large)
  message(FATAL_ERROR "sodwright-batch loads ${large} at start")
endif()

# A runner whose modules are missing still runs a transect study, and says
# which module a figure, a raster or a workbook needs and where it belongs.
set(alone ${WORK_DIR}/alone/sodwright-batch)
file(COPY_FILE ${BATCH} ${alone})
set(BATCH_COMMAND ${alone} kolv)
expect_run(0 "" ${TRANSECT} --sequences 3 --direction alternative --report ${WORK_DIR}/alone/report.txt)
set(BATCH_COMMAND ${BATCH} kolv)
expect_run(0 "" ${TRANSECT} --sequences 3 --direction alternative --report ${WORK_DIR}/report.txt)
expect_same(${WORK_DIR}/report.txt ${WORK_DIR}/alone/report.txt "a study without modules")
if(FIGURES)
  # Said before the study runs: no report is written.
  set(BATCH_COMMAND ${alone} kolv)
  expect_run(2 "The figure module (sodwright-batch-figures.so) is missing; it belongs beside sodwright-batch or in its lib/sodwright folder."
             ${TRANSECT} --sequences 3 --charts ${WORK_DIR}/alone/charts.svg --report ${WORK_DIR}/alone/late.txt)
  if(EXISTS ${WORK_DIR}/alone/late.txt)
    message(FATAL_ERROR "the study ran although its figure could not be drawn")
  endif()
endif()
set(BATCH_COMMAND ${alone} nibal-tiles)
expect_run(2 "The raster module (sodwright-batch-rasters.so) is missing"
           ${EXAMPLES}/small-field-dem.tif --tile-size 16)
