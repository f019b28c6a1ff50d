# SPDX-License-Identifier: GPL-3.0-or-later
# Hostile text files under a 512 MB address-space limit: a file of nothing
# but line ends (64 MB, which as a list of lines would take about 2 GB) and
# a .txt link to /dev/zero are refused by both imports with the import
# message and status 2, instead of ending in a failed allocation. Under a
# 1 GB limit, an ensemble that would not fit in it and a sparse DEM a million
# cells wide are refused at once with status 2, their figures and no file
# left; the tile listing of a sparse DEM of 10^11 cells starts at once and
# ends quietly (status 0) when its reader, head, has enough.
# Arguments: BATCH, INPUT (a tab-delimited transect file), WORK_DIR.
cmake_minimum_required(VERSION 3.25)
file(MAKE_DIRECTORY ${WORK_DIR})
set(line_ends ${WORK_DIR}/line_ends.txt)
set(zero ${WORK_DIR}/zero.txt)
execute_process(COMMAND sh -c "head -c 67108864 /dev/zero | tr '\\000' '\\n' > '${line_ends}'"
                RESULT_VARIABLE made)
if(NOT made EQUAL 0)
  message(FATAL_ERROR "cannot write ${line_ends}")
endif()
file(CREATE_LINK /dev/zero ${zero} SYMBOLIC)

set(grid --rows 4 --columns 4 --row-spacing 1 --column-spacing 1 --report ${WORK_DIR}/report.txt)
foreach(input ${line_ends} ${zero})
  foreach(command "kolv '${input}'" "nibal '${input}' ${grid}")
    string(REPLACE ";" " " command "${command}")
    execute_process(COMMAND sh -c "ulimit -v 524288 && exec '${BATCH}' ${command}"
                    RESULT_VARIABLE status ERROR_VARIABLE errors)
    string(FIND "${errors}" "Data import failed." at)
    if(NOT status EQUAL 2 OR at EQUAL -1)
      message(FATAL_ERROR "${command} under ulimit -v 524288: status ${status}\n${errors}")
    endif()
  endforeach()
endforeach()
file(REMOVE ${line_ends} ${zero})

find_program(GDAL_CREATE gdal_create REQUIRED)
find_program(BASH bash REQUIRED)
set(wide ${WORK_DIR}/wide.tif)
set(huge ${WORK_DIR}/huge.tif)
foreach(made "1000000;16;TILED=YES;${wide}" "1000000;100000;BLOCKYSIZE=10000;${huge}")
  list(GET made 0 columns)
  list(GET made 1 rows)
  list(GET made 2 layout)
  list(GET made 3 file)
  execute_process(COMMAND ${GDAL_CREATE} -q -of GTiff -outsize ${columns} ${rows} -ot Float32
                          -a_srs EPSG:32633 -a_ullr 0 ${rows} ${columns} 0
                          -co SPARSE_OK=TRUE -co ${layout} ${file}
                  RESULT_VARIABLE made_status)
  if(NOT made_status EQUAL 0)
    message(FATAL_ERROR "cannot make ${file}")
  endif()
endforeach()
file(MAKE_DIRECTORY ${WORK_DIR}/out)
# Status, standard output and error of a command under a 1 GB limit; a run
# that has not refused within a minute has not refused at once.
function(limited command)
  execute_process(COMMAND ${BASH} -c "ulimit -v 1000000 && ${command}"
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE errors TIMEOUT 60)
  set(status "${status}" PARENT_SCOPE)
  set(out "${out}" PARENT_SCOPE)
  set(errors "${errors}" PARENT_SCOPE)
endfunction()
function(expect_refusal command says)
  limited("'${BATCH}' ${command}")
  string(FIND "${errors}" "${says}" at)
  file(GLOB left ${WORK_DIR}/out/* ${WORK_DIR}/out/.*)
  if(NOT status EQUAL 2 OR at EQUAL -1 OR left)
    message(FATAL_ERROR "${command} under ulimit -v 1000000: status ${status}, left ${left}\n"
                        "${errors}\nwanted: ${says}")
  endif()
endfunction()
expect_refusal("kolv-ensemble '${INPUT}' --runs 5000000 --vary alpha=normal:0.3:0.05 --csv '${WORK_DIR}/out/e.csv'"
               "members fit")
expect_refusal("nibal --raster '${wide}' --write-raster '${WORK_DIR}/out/loss.tif' --quiet"
               "Cannot run NIBAL on wide.tif: its lines of 1000000 cells need about")
limited("'${BATCH}' nibal-tiles '${huge}' --tile-size 5 | head -3; exit \${PIPESTATUS[0]}")
if(NOT status EQUAL 0 OR NOT out STREQUAL "0 0 0 5 5\n1 5 0 5 5\n2 10 0 5 5\n")
  message(FATAL_ERROR "nibal-tiles | head -3 under ulimit -v 1000000: status ${status}\n"
                      "${out}${errors}")
endif()
file(REMOVE_RECURSE ${wide} ${huge} ${WORK_DIR}/out)
message(STATUS "memory limit checks passed")
