# SPDX-License-Identifier: GPL-3.0-or-later
# Arguments: BATCH, DATA (tests/data/workbooks), WORK_DIR.
# The same transect and grid given as text and as workbooks give the same
# outputs; damaged workbooks end with status 2 and their message.
cmake_minimum_required(VERSION 3.25)
file(MAKE_DIRECTORY ${WORK_DIR})

include(${CMAKE_CURRENT_LIST_DIR}/../../support/batch_expect.cmake)

set(study --sequences 4 --direction alternative --date DATE)
expect_run(0 "" kolv ${DATA}/transect.txt ${study}
           --report ${WORK_DIR}/kolv_text.txt --last-sequence ${WORK_DIR}/kolv_text_last.txt)
set(grid --rows 6 --columns 5 --row-spacing 2 --column-spacing 2.5 --date DATE)
expect_run(0 "" nibal ${DATA}/grid.txt --delimiter space ${grid} --report ${WORK_DIR}/nibal_text.txt)

foreach(format xls xlsx ods)
  expect_run(0 "" kolv ${DATA}/transect.${format} --base ${DATA}/transect.txt ${study}
             --report ${WORK_DIR}/kolv_${format}.txt --last-sequence ${WORK_DIR}/kolv_${format}_last.txt)
  expect_same(${WORK_DIR}/kolv_text.txt ${WORK_DIR}/kolv_${format}.txt "KOLV report from .${format}")
  expect_same(${WORK_DIR}/kolv_text_last.txt ${WORK_DIR}/kolv_${format}_last.txt "last sequence from .${format}")
  expect_run(0 "" nibal ${DATA}/grid.${format} ${grid} --report ${WORK_DIR}/nibal_${format}.txt)
  expect_same(${WORK_DIR}/nibal_text.txt ${WORK_DIR}/nibal_${format}.txt "NIBAL report from .${format}")
endforeach()

# The extension is recognised in any case.
file(COPY_FILE ${DATA}/grid.ods ${WORK_DIR}/GRID.ODS)
expect_run(0 "" nibal ${WORK_DIR}/GRID.ODS ${grid} --report ${WORK_DIR}/nibal_upper.txt)
expect_same(${WORK_DIR}/nibal_text.txt ${WORK_DIR}/nibal_upper.txt "NIBAL report from .ODS")

expect_run(2 "the tillage depth, layer-1 bulk density" kolv ${DATA}/transect.xlsx ${study})
expect_run(2 "Column E: no cell from row 8" kolv ${DATA}/transect_no_end.xlsx --base ${DATA}/transect.txt)
expect_run(2 "it is not a zip archive" kolv ${DATA}/not_a_zip.xlsx --base ${DATA}/transect.txt)
expect_run(2 "The workbook has no worksheet." kolv ${DATA}/no_sheet.xlsx --base ${DATA}/transect.txt)
expect_run(2 "Cell C4: the elevation \"n/a\" is not a number." nibal ${DATA}/grid_text_elevation.xlsx ${grid}
           --report ${WORK_DIR}/never.txt)
expect_run(2 "not a zip archive" nibal ${DATA}/not_a_zip.ods ${grid} --report ${WORK_DIR}/never.txt)
if(EXISTS ${WORK_DIR}/never.txt)
  message(FATAL_ERROR "a failed import wrote a report")
endif()
message(STATUS "workbook batch checks passed")
