# SPDX-License-Identifier: GPL-3.0-or-later
# sodwright-batch starts without Qt and GDAL and loads its modules only for
# the commands that need them (run_batch_module_checks.cmake).
add_test(NAME reference.batch-modules
         COMMAND ${CMAKE_COMMAND}
                 -DBATCH=$<TARGET_FILE:sodwright-batch>
                 -DTRANSECT=${PROJECT_SOURCE_DIR}/tests/data/reference/kolv-a-tab-forward/transect.txt
                 -DEXAMPLES=${PROJECT_SOURCE_DIR}/examples
                 -DFIGURES=${SODWRIGHT_BUILD_UI}
                 -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/batch-modules
                 -P ${CMAKE_CURRENT_LIST_DIR}/run_batch_module_checks.cmake)
set_tests_properties(reference.batch-modules PROPERTIES ENVIRONMENT "DISPLAY=;ASAN_OPTIONS=detect_leaks=0")
