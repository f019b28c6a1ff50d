# SPDX-License-Identifier: GPL-3.0-or-later
# Runs one NIBAL reference case through sodwright-batch and compares the
# report and the notes. Arguments: BATCH, CASE_DIR, WORK_DIR, LOOSE_LINES
# (report line numbers compared with their blanks removed).
cmake_minimum_required(VERSION 3.25)
cmake_policy(SET CMP0007 NEW)

file(READ ${CASE_DIR}/params.json params)
string(JSON delimiter GET "${params}" delimiter)
include(${CMAKE_CURRENT_LIST_DIR}/run_delimiter_option.cmake)
batch_delimiter_option("${delimiter}" delimiter)
set(args nibal ${CASE_DIR}/grid.txt --delimiter ${delimiter})
foreach(pair rows:--rows columns:--columns row_spacing:--row-spacing column_spacing:--column-spacing
             betta_row:--betta-row gamma_row:--gamma-row betta_col:--betta-col gamma_col:--gamma-col)
  string(REPLACE ":" ";" pair "${pair}")
  list(GET pair 0 key)
  list(GET pair 1 option)
  string(JSON value GET "${params}" boxes ${key})
  # "--option=value", so that an empty box stays an argument of its own.
  list(APPEND args "${option}=${value}")
endforeach()

file(MAKE_DIRECTORY ${WORK_DIR})
set(report ${WORK_DIR}/report.txt)
file(REMOVE ${report})
execute_process(COMMAND ${BATCH} ${args} --date DATE --report ${report}
                RESULT_VARIABLE status ERROR_VARIABLE notes)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "sodwright-batch ended with ${status}:\n${notes}")
endif()

# The notes, one "title: text" line each, in the order shown.
file(READ ${CASE_DIR}/expected_messages.json expected_json)
string(JSON count LENGTH "${expected_json}")
set(expected_notes "")
if(count GREATER 0)
  math(EXPR last "${count} - 1")
  foreach(i RANGE ${last})
    string(JSON title GET "${expected_json}" ${i} title)
    string(JSON text GET "${expected_json}" ${i} text)
    string(APPEND expected_notes "${title}: ${text}\n")
  endforeach()
endif()
if(NOT notes STREQUAL expected_notes)
  message(FATAL_ERROR "notes differ\nexpected:\n${expected_notes}\nactual:\n${notes}")
endif()

# Report lines compared as bytes: file(READ) in text form drops the CR of
# CR LF, so the files are read in hex, one "xx " token per byte, and split at
# "0d 0a " (a lone CR or LF stays inside its line and shows as a difference).
function(report_lines path out)
  file(READ ${path} hex HEX)
  string(REGEX REPLACE "(..)" "\\1 " bytes "${hex}")
  string(REPLACE "0d 0a " ";" bytes "${bytes}")
  set(${out} "${bytes}" PARENT_SCOPE)
endfunction()
report_lines(${CASE_DIR}/expected_report.txt expected_lines)
report_lines(${report} actual_lines)
file(STRINGS ${CASE_DIR}/expected_report.txt expected_text)
file(STRINGS ${report} actual_text)
list(LENGTH expected_lines expected_count)
list(LENGTH actual_lines actual_count)
if(NOT expected_count EQUAL actual_count)
  message(FATAL_ERROR "report has ${actual_count} lines, expected ${expected_count}")
endif()
math(EXPR last "${expected_count} - 1")
foreach(i RANGE ${last})
  list(GET expected_lines ${i} expected)
  list(GET actual_lines ${i} actual)
  math(EXPR number "${i} + 1")
  if(number IN_LIST LOOSE_LINES)
    string(REPLACE "20 " "" expected "${expected}")
    string(REPLACE "20 " "" actual "${actual}")
  endif()
  if(NOT expected STREQUAL actual)
    list(GET expected_text ${i} expected_line)
    list(GET actual_text ${i} actual_line)
    message(FATAL_ERROR "report line ${number} differs\nexpected: [${expected_line}]\nactual:   [${actual_line}]\n"
                        "bytes expected: ${expected}\nbytes actual:   ${actual}")
  endif()
endforeach()
message(STATUS "report and notes agree (${expected_count} lines)")
