# SPDX-License-Identifier: GPL-3.0-or-later
# Hostile text files under a 512 MB address-space limit: a file of nothing
# but line ends (64 MB, which as a list of lines would take about 2 GB) and
# a .txt link to /dev/zero are refused by both imports with the import
# message and status 2, instead of ending in a failed allocation.
# Arguments: BATCH, WORK_DIR.
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
message(STATUS "memory limit checks passed")
