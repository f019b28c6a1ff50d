# SPDX-License-Identifier: GPL-3.0-or-later
# sodwright-batch bando refuses, with status 2 and before any result, what
# the run cannot use: a calculator row with negative passes (the window's
# message, the option and the row) or passes that are no whole number, a
# convex area outside 0 to 100 %, an unknown item (named with the items of
# its list).
# Arguments: BATCH.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/../support/batch_expect.cmake)

expect_run(2 "--implement Harrows:-1: Data input wrong (row 2 left out, passes below 0; accepted: whole passes from 0 to 32767)"
           bando --implement "Tandem Disk:2" --implement "Harrows:-1" --implement "Potato Digger:2.5")
# Passes typed as an option are a count: no number, none or a fraction is
# refused rather than read as the window's box reads it (0, 0, rounded).
foreach(passes "abc;not a number" ";not a number" "1.5;not a whole number of passes")
  list(GET passes 0 typed)
  list(GET passes 1 reason)
  expect_run(2 "--implement Harrows:${typed}: row 1 refused (${reason}; accepted: whole passes from 0 to 32767)"
             bando --implement "Harrows:${typed}")
endforeach()
expect_run(2 "bando: --convex-area 150: the convex area is a share of the field (accepted: 0 to 100 % of the field)"
           bando --slope-gradient 3 --slope-length 10 --convex-area 150)
expect_run(2 "bando: unknown crop type: Potatoes (accepted: \"Summer Fallow\", \"Summer Wheat\","
           bando --crop Potatoes)
execute_process(COMMAND ${BATCH} bando --implement "Harrows:-1" OUTPUT_VARIABLE output)
if(NOT output STREQUAL "")
  message(FATAL_ERROR "a refused row still printed results:\n${output}")
endif()
