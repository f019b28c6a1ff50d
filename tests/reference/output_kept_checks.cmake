# SPDX-License-Identifier: GPL-3.0-or-later
# An output that cannot be written whole leaves the old file byte for byte
# and no temporary; a pipe named as an output is refused and stays a pipe
# (run_output_kept_checks.cmake).
add_test(NAME reference.command-output-kept
         COMMAND ${CMAKE_COMMAND}
                 -DBATCH=$<TARGET_FILE:sodwright-batch>
                 -DINPUT=${PROJECT_SOURCE_DIR}/tests/data/reference/kolv-a-tab-forward/transect.txt
                 -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/command-output-kept
                 -P ${CMAKE_CURRENT_LIST_DIR}/run_output_kept_checks.cmake)
