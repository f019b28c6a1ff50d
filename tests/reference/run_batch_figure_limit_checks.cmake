# SPDX-License-Identifier: GPL-3.0-or-later
# A figure larger than the file-size limit (sh's ulimit -f 8, with SIGXFSZ
# ignored so that the writes fail as on a full disk) is reported with status
# 2, and the file that was there is left as it was.
# A raster run whose map cannot be written leaves its rasters and report as
# they were too: they are named with the map, at the end.
# Arguments: BATCH, TRANSECT (a tab-delimited transect file), DEM, WORK_DIR.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
include(${CMAKE_CURRENT_LIST_DIR}/../support/batch_expect.cmake)

set(BATCH_COMMAND sh -c "trap '' XFSZ && ulimit -f 8 && exec \"$0\" \"$@\"" ${BATCH} kolv)
foreach(format svg png)
  set(figure ${WORK_DIR}/charts.${format})
  file(WRITE ${figure} "the figure saved before\n")
  file(WRITE ${figure}.before "the figure saved before\n")
  expect_run(2 "cannot write the figure ${figure}: " ${TRANSECT} --sequences 3
             --direction alternative --charts ${figure})
  expect_same(${figure}.before ${figure} "the figure before a failed write")
endforeach()
set(raster ${WORK_DIR}/result.tif)
set(report ${WORK_DIR}/report.txt)
foreach(kept ${raster} ${report})
  file(WRITE ${kept} "saved before\n")
endforeach()
execute_process(COMMAND ${BATCH} nibal --raster ${DEM} --quiet --write-raster ${raster}
                        --report ${report} --map ${WORK_DIR}/no/such/map.svg
                RESULT_VARIABLE status ERROR_VARIABLE errors)
string(FIND "${errors}" "The files given to --report, --write-raster, --map were not written" named)
if(NOT status EQUAL 2 OR named EQUAL -1)
  message(FATAL_ERROR "a raster run whose map fails: status ${status}\n${errors}")
endif()
foreach(kept ${raster} ${report})
  file(READ ${kept} content)
  if(NOT content STREQUAL "saved before\n")
    message(FATAL_ERROR "${kept} was replaced although the run's map failed")
  endif()
endforeach()
file(GLOB left ${WORK_DIR}/.*)
if(left)
  message(FATAL_ERROR "a failed raster run left ${left}")
endif()
message(STATUS "batch figure limit checks passed")
