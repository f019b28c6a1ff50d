# SPDX-License-Identifier: GPL-3.0-or-later
# Arguments: BATCH, INPUT (a tab-delimited transect file as the last-sequence
# output writes it), WORK_DIR.
cmake_minimum_required(VERSION 3.25)
file(MAKE_DIRECTORY ${WORK_DIR})

include(${CMAKE_CURRENT_LIST_DIR}/../support/batch_expect.cmake)
set(BATCH_COMMAND ${BATCH} kolv)

# Import and write: the file comes back as it was.
expect_run(0 "" ${INPUT} --last-sequence ${WORK_DIR}/round_trip.txt)
expect_same(${INPUT} ${WORK_DIR}/round_trip.txt "import and write")

# The same study twice gives the same report and last-sequence file.
foreach(n 1 2)
  expect_run(0 "" ${INPUT} --sequences 3 --direction alternative --decay1 2 --date DATE
             --report ${WORK_DIR}/report${n}.txt --last-sequence ${WORK_DIR}/last${n}.txt)
endforeach()
expect_same(${WORK_DIR}/report1.txt ${WORK_DIR}/report2.txt "report of a repeated run")
expect_same(${WORK_DIR}/last1.txt ${WORK_DIR}/last2.txt "last sequence of a repeated run")

expect_run(2 "Data import failed. Please check your data file and try again." ${WORK_DIR}/missing.txt)
expect_run(2 "Data import failed. Please check your data file and try again.\nLine 1:" ${INPUT} --delimiter comma)
# A --base beside a text INPUT is not read, but a slip in its name is named.
expect_run(2 "Data import failed. Please check your data file and try again.\n--base ${WORK_DIR}/no-base.txt: there is no such file."
           ${INPUT} --base ${WORK_DIR}/no-base.txt)
expect_run(2 "This program can lony run 50 sequences at one time." ${INPUT} --sequences 51)
expect_run(2 "cannot both be zero" ${INPUT} --sg-weight-front 0 --sg-weight-back 0)
expect_run(2 "Seqence No. can not be bigger than the last sequence No." ${INPUT} --sequences 2 --last 4)
expect_run(2 "The first seqence No. must be smaller than the last sequence No." ${INPUT} --sequences 5 --first 3
           --last 3)
expect_run(2 "Cannot write" ${INPUT} --report ${WORK_DIR}/no/such/dir/report.txt)
expect_run(2 "unknown option --sequence" ${INPUT} --sequence 5)
# Values their fields cannot hold are refused as the boxes refuse them.
expect_run(2 "You got to have a positive value here." ${INPUT} --till-depth 1e400)
foreach(option --decay1=1e400 --input-amount=1e308 --alpha=1e39)
  expect_run(2 "This number is too large for this box." ${INPUT} ${option})
endforeach()
# Parameters that amplify surface noise: a warning on standard error and the
# run goes ahead; --strict refuses it with status 3 and writes nothing. A
# stable run says nothing and --strict lets it pass.
expect_run(0 "kolv: warning: These parameters amplify surface noise by" ${INPUT} --beta 0.3
           --report ${WORK_DIR}/noisy.txt)
file(REMOVE ${WORK_DIR}/refused.txt)
expect_run(3 "kolv: warning: These parameters amplify surface noise by" ${INPUT} --beta 0.3 --strict
           --report ${WORK_DIR}/refused.txt)
if(EXISTS ${WORK_DIR}/refused.txt)
  message(FATAL_ERROR "--strict wrote a report for a refused run")
endif()
execute_process(COMMAND ${BATCH_COMMAND} ${INPUT} --sequences 3 --strict RESULT_VARIABLE status
                ERROR_VARIABLE errors)
if(NOT status EQUAL 0 OR NOT errors STREQUAL "")
  message(FATAL_ERROR "a stable run with --strict: status ${status}
${errors}")
endif()
# The help says how many columns the CSV has; the header record has them.
execute_process(COMMAND ${BATCH_COMMAND} --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
string(REGEX REPLACE "[ \n]+" " " help "${help}")
if(NOT help MATCHES "--csv FILE [^.]* ([0-9]+) columns")
  message(FATAL_ERROR "kolv --help gives no column count for --csv:\n${help}")
endif()
set(said ${CMAKE_MATCH_1})
expect_run(0 "" ${INPUT} --sequences 3 --csv ${WORK_DIR}/compare.csv)
file(STRINGS ${WORK_DIR}/compare.csv heads LIMIT_COUNT 1)
string(REGEX MATCHALL "," commas "${heads}")
list(LENGTH commas columns)
math(EXPR columns "${columns} + 1")
if(NOT columns EQUAL said)
  message(FATAL_ERROR "kolv --help says the CSV has ${said} columns; it has ${columns}: ${heads}")
endif()
message(STATUS "batch checks passed")
