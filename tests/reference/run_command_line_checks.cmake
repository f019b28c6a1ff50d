# SPDX-License-Identifier: GPL-3.0-or-later
# The command line of sodwright-batch: help and version on standard output
# with status 0, usage errors on standard error with status 2, and the
# delimiter dialog's message for an empty delimiter; a refused value named
# with its option, the box's message and the range; a file that cannot be
# written named with the system's reason.
# Arguments: BATCH, INPUT (a tab-delimited transect file), GRID (a 5 x 6
# space-delimited grid file).
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/../support/batch_expect.cmake)

# Runs the batch with ARGN; expects status 0 and a standard output holding `text`.
function(expect_output text)
  execute_process(COMMAND ${BATCH} ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
  string(FIND "${output}" "${text}" at)
  if(NOT status EQUAL 0 OR at EQUAL -1 OR NOT errors STREQUAL "")
    message(FATAL_ERROR "${BATCH} ${ARGN}: status ${status}, output lacks \"${text}\" or errors given:\n"
                        "${output}\n${errors}")
  endif()
endfunction()

expect_output("sodwright-batch " --version)
expect_output("sodwright-batch " nibal --version)
expect_output("Usage: sodwright-batch [OPTIONS] SUBCOMMAND" --help)
expect_output("--input-amount" kolv --help)
expect_output("--gamma-col" nibal --help)
expect_output("--implement" bando --help)
expect_output("0 gives the default" kolv-fit --help)
# The manual page is written from --help-all: every subcommand's options.
foreach(option --input-amount --betta-row --convex-area)
  expect_output("${option}" --help-all)
endforeach()
# The windows' spelling "Betta" and the usual "beta" are the same options.
expect_run(0 "" kolv ${INPUT} --betta 0.003 --sequences 2 --report ${CMAKE_CURRENT_BINARY_DIR}/betta.txt)
expect_run(0 "" nibal ${GRID} --rows 5 --columns 6 --row-spacing 1 --column-spacing 1 --delimiter space
           --beta-row 3 --beta-col 6 --report ${CMAKE_CURRENT_BINARY_DIR}/beta-row.txt)

expect_run(2 "A subcommand is required")
expect_run(2 "--alpha" kolv ${INPUT} --alpha 1 --alpha=2)
expect_run(2 "stray argument second.txt" kolv ${INPUT} second.txt)
expect_run(2 "stray argument 3" bando 3)
expect_run(2 "Please input Delimiter used in your data file\n" kolv ${INPUT} --delimiter=)
expect_run(2 "Delimiter must be one character." nibal ${INPUT} --delimiter ab --rows 2 --columns 2
           --row-spacing 1 --column-spacing 1 --report unused.txt)

expect_run(2 "--input-frequency 20: Dooooon't try to fool me, Buddy! Input frequency must be greater or equal to 1. (more than the simulating sequences; accepted: 1 to the number of simulating sequences, 10)"
           kolv ${INPUT} --sequences 10 --input-frequency 20)
set(grid_boxes --rows 5 --row-spacing 1 --column-spacing 1 --delimiter space)
expect_run(2 "--columns six: Grid information wrong or importing data failed, please try again (not a number; accepted: a whole number above 3)"
           nibal ${GRID} ${grid_boxes} --columns six --report unused.txt)
expect_run(2 "Cannot write /no/such/folder/x.txt: cannot create the file: No such file or directory\nOut put data failed. Please check your input data or model parameters and try again.\nThe file given to --report was not written"
           nibal ${GRID} ${grid_boxes} --columns 6 --report /no/such/folder/x.txt)

# A run in tillage-data mode that stops at the slope data still shows the
# calculator's total in the Et box.
execute_process(COMMAND ${BATCH} bando --implement "Mouldboard Plough:1" --slope-gradient 0 --slope-length 10
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT status EQUAL 2 OR NOT output STREQUAL "Et 2.3 kg / m / %\n" OR NOT errors STREQUAL "--slope-gradient 0: Please input data (accepted: a gradient above 0 %)\n")
  message(FATAL_ERROR "bando early stop: status ${status}\n${output}\n${errors}")
endif()
message(STATUS "command line checks passed")
