# SPDX-License-Identifier: GPL-3.0-or-later
# Arguments: BATCH, INPUT (a tab-delimited transect file), WORK_DIR.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/../support/batch_expect.cmake)
find_program(SH sh REQUIRED)
find_program(MKFIFO mkfifo REQUIRED)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(csv ${WORK_DIR}/out.csv)
set(run kolv ${INPUT} --direction forward --sequences 30)

# The whole CSV is past the limit below (8 blocks: 4 or 8 KB by the shell).
expect_run(0 "" ${run} --csv ${csv})
file(SIZE ${csv} whole)
if(whole LESS 8193)
  message(FATAL_ERROR "the CSV has only ${whole} bytes: the size limit would not be reached")
endif()

file(WRITE ${WORK_DIR}/old.csv "old,content\r\n")
file(COPY_FILE ${WORK_DIR}/old.csv ${csv})
execute_process(COMMAND ${SH} -c "ulimit -f 8; exec \"$0\" \"$@\"" ${BATCH} ${run} --csv ${csv}
                RESULT_VARIABLE status ERROR_VARIABLE errors TIMEOUT 300)
string(FIND "${errors}" "Cannot write ${csv}: cannot write the file: " at)
string(FIND "${errors}" "The file given to --csv was not written" named)
if(NOT status EQUAL 2 OR at EQUAL -1 OR named EQUAL -1)
  message(FATAL_ERROR "kolv --csv past a size limit: status ${status}\n${errors}")
endif()
expect_same(${WORK_DIR}/old.csv ${csv} "the CSV after a failed write")
file(GLOB left ${WORK_DIR}/.*)
if(left)
  message(FATAL_ERROR "a failed write left ${left}")
endif()

# A later output that cannot be written keeps the earlier ones as they were.
execute_process(COMMAND ${BATCH} ${run} --csv ${csv} --last-sequence ${WORK_DIR}/no/such/last.txt
                RESULT_VARIABLE status ERROR_VARIABLE errors TIMEOUT 300)
if(NOT status EQUAL 2)
  message(FATAL_ERROR "kolv with an unwritable --last-sequence: status ${status}\n${errors}")
endif()
expect_same(${WORK_DIR}/old.csv ${csv} "the CSV of a run whose last output failed")

# Were the pipe opened, the run would wait for a reader: the timeout catches it.
set(pipe ${WORK_DIR}/pipe)
execute_process(COMMAND ${MKFIFO} ${pipe} COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${BATCH} ${run} --csv ${pipe} RESULT_VARIABLE status ERROR_VARIABLE errors
                TIMEOUT 60)
string(FIND "${errors}" "--csv ${pipe}: it is not a regular file" at)
if(NOT status EQUAL 2 OR at EQUAL -1)
  message(FATAL_ERROR "kolv --csv on a pipe: status ${status}\n${errors}")
endif()
execute_process(COMMAND test -p ${pipe} RESULT_VARIABLE notPipe)
if(notPipe)
  message(FATAL_ERROR "${pipe} is no longer a pipe")
endif()
message(STATUS "output-kept checks passed")
