# SPDX-License-Identifier: GPL-3.0-or-later
# sodwright-batch refuses an output that is an input or another output of the
# same run, before it reads or writes anything (run_same_file_checks.cmake).
add_test(NAME reference.batch-same-file
         COMMAND ${CMAKE_COMMAND}
                 -DBATCH=$<TARGET_FILE:sodwright-batch>
                 -DTRANSECT=${PROJECT_SOURCE_DIR}/tests/data/reference/kolv-a-tab-forward/transect.txt
                 -DEXAMPLES=${PROJECT_SOURCE_DIR}/examples
                 -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/batch-same-file
                 -P ${CMAKE_CURRENT_LIST_DIR}/run_same_file_checks.cmake)
