# SPDX-License-Identifier: GPL-3.0-or-later
# Every output option of sodwright-batch writes its file when given alone, and
# is refused on an input or another output of the same run before anything is
# read or written (run_same_file_checks.cmake).
add_test(NAME reference.batch-same-file
         COMMAND ${CMAKE_COMMAND}
                 -DBATCH=$<TARGET_FILE:sodwright-batch>
                 -DTRANSECT=${PROJECT_SOURCE_DIR}/tests/data/reference/kolv-a-tab-forward/transect.txt
                 -DEXAMPLES=${PROJECT_SOURCE_DIR}/examples
                 -DFIGURES=${SODWRIGHT_BUILD_UI}
                 -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/batch-same-file
                 -P ${CMAKE_CURRENT_LIST_DIR}/run_same_file_checks.cmake)
set_tests_properties(reference.batch-same-file PROPERTIES ENVIRONMENT "DISPLAY=;ASAN_OPTIONS=detect_leaks=0")
