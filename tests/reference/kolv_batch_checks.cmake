# SPDX-License-Identifier: GPL-3.0-or-later
# sodwright-batch kolv beyond the reference cases: the import-and-write round
# trip, a report reproduced byte for byte, the stability warning and --strict
# (status 3), and the refusals that end with
# status 2 and the program's message (run_kolv_batch_checks.cmake).
add_test(NAME reference.kolv-batch-checks
         COMMAND ${CMAKE_COMMAND}
                 -DBATCH=$<TARGET_FILE:sodwright-batch>
                 -DINPUT=${PROJECT_SOURCE_DIR}/tests/data/reference/kolv-a-tab-forward/transect.txt
                 -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/kolv-batch-checks
                 -P ${CMAKE_CURRENT_LIST_DIR}/run_kolv_batch_checks.cmake)
# The command line itself: help, version and usage errors (run_command_line_checks.cmake).
add_test(NAME reference.batch-command-line
         COMMAND ${CMAKE_COMMAND}
                 -DBATCH=$<TARGET_FILE:sodwright-batch>
                 -DINPUT=${PROJECT_SOURCE_DIR}/tests/data/reference/kolv-a-tab-forward/transect.txt
                 -DGRID=${PROJECT_SOURCE_DIR}/tests/data/reference/nibal-a-5x6-space/grid.txt
                 -P ${CMAKE_CURRENT_LIST_DIR}/run_command_line_checks.cmake)
# Both imports, an ensemble, a wide DEM and a tile listing under address-space
# limits (run_memory_limit_checks.cmake).
# The sanitizers reserve far more address space than that, so the sanitizer
# build leaves this check out.
if(NOT SODWRIGHT_SANITIZE)
  add_test(NAME reference.batch-memory-limit
           COMMAND ${CMAKE_COMMAND}
                   -DBATCH=$<TARGET_FILE:sodwright-batch>
                   -DINPUT=${PROJECT_SOURCE_DIR}/tests/data/reference/kolv-a-tab-forward/transect.txt
                   -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/batch-memory-limit
                   -P ${CMAKE_CURRENT_LIST_DIR}/run_memory_limit_checks.cmake)
endif()
# sodwright-batch kolv-fit: a fit, its files, status 4, and the refusals of
# bad input with status 2 (run_kolv_fit_checks.cmake).
add_test(NAME reference.kolv-fit-checks
         COMMAND ${CMAKE_COMMAND}
                 -DBATCH=$<TARGET_FILE:sodwright-batch>
                 -DINPUT=${PROJECT_SOURCE_DIR}/examples/hillslope-transect.txt
                 -DPYTHON=${Python3_EXECUTABLE}
                 "-DFIGURE_OPTION=$<$<BOOL:${SODWRIGHT_BUILD_UI}>:--figure;${CMAKE_CURRENT_BINARY_DIR}/kolv-fit-checks/fit.svg>"
                 -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/kolv-fit-checks
                 -P ${CMAKE_CURRENT_LIST_DIR}/run_kolv_fit_checks.cmake)

# sodwright-batch kolv-ensemble: the CSV and summary of a small ensemble, and
# the refusals of bad input with status 2 (run_kolv_ensemble_checks.cmake).
add_test(NAME reference.kolv-ensemble-checks
         COMMAND ${CMAKE_COMMAND}
                 -DBATCH=$<TARGET_FILE:sodwright-batch>
                 -DINPUT=${PROJECT_SOURCE_DIR}/tests/data/reference/kolv-a-tab-forward/transect.txt
                 -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/kolv-ensemble-checks
                 -P ${CMAKE_CURRENT_LIST_DIR}/run_kolv_ensemble_checks.cmake)
