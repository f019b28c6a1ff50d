# SPDX-License-Identifier: GPL-3.0-or-later
# A figure larger than the file-size limit (sh's ulimit -f 8, with SIGXFSZ
# ignored so that the writes fail as on a full disk) is reported with status
# 2, and the file that was there is left as it was.
# Arguments: BATCH, TRANSECT (a tab-delimited transect file), WORK_DIR.
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
message(STATUS "batch figure limit checks passed")
