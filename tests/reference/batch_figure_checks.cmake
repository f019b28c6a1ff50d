# SPDX-License-Identifier: GPL-3.0-or-later
# sodwright-batch figures: the four KOLV charts (--charts) and the NIBAL map
# (--map, --layer) in each of the three formats, without a display
# (run_batch_figure_checks.cmake).
if(SODWRIGHT_BUILD_UI)
  add_test(NAME reference.batch-figures
           COMMAND ${CMAKE_COMMAND}
                   -DBATCH=$<TARGET_FILE:sodwright-batch>
                   -DTRANSECT=${PROJECT_SOURCE_DIR}/tests/data/reference/kolv-a-tab-forward/transect.txt
                   -DGRID=${PROJECT_SOURCE_DIR}/examples/small-field-grid.txt
                   -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/batch-figures
                   -P ${CMAKE_CURRENT_LIST_DIR}/run_batch_figure_checks.cmake)
  set_tests_properties(reference.batch-figures PROPERTIES ENVIRONMENT "DISPLAY=;ASAN_OPTIONS=detect_leaks=0")
endif()
# A figure that cannot be written whole (run_batch_figure_limit_checks.cmake).
if(SODWRIGHT_BUILD_UI AND UNIX)
  add_test(NAME reference.batch-figure-limits
           COMMAND ${CMAKE_COMMAND}
                   -DBATCH=$<TARGET_FILE:sodwright-batch>
                   -DTRANSECT=${PROJECT_SOURCE_DIR}/tests/data/reference/kolv-a-tab-forward/transect.txt
                   -DDEM=${PROJECT_SOURCE_DIR}/examples/small-field-dem.tif
                   -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/batch-figure-limits
                   -P ${CMAKE_CURRENT_LIST_DIR}/run_batch_figure_limit_checks.cmake)
  set_tests_properties(reference.batch-figure-limits PROPERTIES ENVIRONMENT "DISPLAY=;ASAN_OPTIONS=detect_leaks=0")
endif()
