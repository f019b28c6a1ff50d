# SPDX-License-Identifier: GPL-3.0-or-later
# Arguments: BATCH, INPUT (a tab-delimited transect file), WORK_DIR.
cmake_minimum_required(VERSION 3.25)
file(MAKE_DIRECTORY ${WORK_DIR})

include(${CMAKE_CURRENT_LIST_DIR}/../support/batch_expect.cmake)
set(BATCH_COMMAND ${BATCH} kolv-ensemble)
set(V --vary alpha=normal:0.3:0.05)

# An ensemble writes its CSV (a heading and one row per node) and the summary.
execute_process(COMMAND ${BATCH_COMMAND} ${INPUT} --sequences 2 --runs 6 ${V}
                        --vary decay1=uniform:0:5 --seed 4 --percentiles 10,50,90
                        --csv ${WORK_DIR}/ensemble.csv
                RESULT_VARIABLE status OUTPUT_VARIABLE summary ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "an ensemble: status ${status}\n${errors}")
endif()
foreach(text "6 members run (seed 4), 6 summarised" "mean over the nodes" "maximum over the nodes"
        "members; nodes 4 to 35, outside the end zones of sequence 2)"
        "sensitivity (Spearman rank correlation with the mean soil loss, strongest first; "
        " (PRCC +")
  string(FIND "${summary}" "${text}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the summary lacks \"${text}\":\n${summary}")
  endif()
endforeach()
# --include-end-zones takes every node: the heading names no nodes and the
# mean moves.
execute_process(COMMAND ${BATCH_COMMAND} ${INPUT} --sequences 2 --runs 6 ${V}
                        --vary decay1=uniform:0:5 --seed 4 --percentiles 10,50,90
                        --include-end-zones
                RESULT_VARIABLE status OUTPUT_VARIABLE every ERROR_VARIABLE errors)
string(REGEX MATCH "mean over the nodes[^\n]*" mean "${summary}")
string(REGEX MATCH "mean over the nodes[^\n]*" everyMean "${every}")
string(FIND "${every}" "members)\tp10" heading)
if(NOT status EQUAL 0 OR heading EQUAL -1 OR mean STREQUAL everyMean)
  message(FATAL_ERROR "--include-end-zones: status ${status}\n${every}\n${errors}")
endif()
file(STRINGS ${WORK_DIR}/ensemble.csv rows)
list(GET rows 0 heading)
string(FIND "${heading}" "SoilLoss (kg/m2/Seq) p90,SoilLoss (kg/m2/Seq) run" at)
if(at EQUAL -1)
  message(FATAL_ERROR "the CSV heading lacks the soil loss columns: ${heading}")
endif()

# The study's own run writes the same report and last sequence as kolv.
expect_run(0 "" ${INPUT} --sequences 2 --runs 2 ${V} --date DATE --report ${WORK_DIR}/own.txt
           --last-sequence ${WORK_DIR}/own-last.txt)
set(BATCH_COMMAND ${BATCH} kolv)
expect_run(0 "" ${INPUT} --sequences 2 --date DATE --report ${WORK_DIR}/single.txt
           --last-sequence ${WORK_DIR}/single-last.txt)
set(BATCH_COMMAND ${BATCH} kolv-ensemble)
expect_same(${WORK_DIR}/own.txt ${WORK_DIR}/single.txt "the study's own report")
expect_same(${WORK_DIR}/own-last.txt ${WORK_DIR}/single-last.txt "the study's own last sequence")

# Bad input: status 2 and the reason.
expect_run(2 "--runs must be a whole number of at least 1" ${INPUT} --runs 0 ${V})
expect_run(2 "--runs must be a whole number of at least 1" ${INPUT} --runs -3 ${V})
expect_run(2 "SD must be >= 0" ${INPUT} --runs 2 --vary alpha=normal:0.3:-1)
expect_run(2 "LO must not exceed HI" ${INPUT} --runs 2 --vary beta=uniform:2:1)
expect_run(2 "unknown parameter \"depth\"" ${INPUT} --runs 2 --vary depth=uniform:1:2)
expect_run(2 "unknown distribution \"gauss\"" ${INPUT} --runs 2 --vary alpha=gauss:1:2)
expect_run(2 "--vary alpha is given twice" ${INPUT} --runs 2 ${V} --vary alpha=uniform:0.2:0.4)
expect_run(2 "is not a number from 0 to 100" ${INPUT} --runs 2 ${V} --percentiles 5,50,101)
expect_run(2 "give them in ascending order" ${INPUT} --runs 2 ${V} --percentiles 95,5)
expect_run(2 "members fit" ${INPUT} --runs 4000000000000 ${V})
expect_run(2 "draws in a row for member 0" ${INPUT} --runs 2 --vary till-depth=uniform:-2:-1)
expect_run(2 "--threads must be a whole number" ${INPUT} --runs 2 ${V} --threads 0)
expect_run(2 "This program can lony run 50 sequences at one time." ${INPUT} --runs 2 ${V}
           --sequences 51)
message(STATUS "ensemble checks passed")
