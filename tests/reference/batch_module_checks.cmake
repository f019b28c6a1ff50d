# SPDX-License-Identifier: GPL-3.0-or-later
# sodwright-batch starts without Qt and GDAL and loads its modules only for
# the commands that need them (run_batch_module_checks.cmake).
add_test(NAME reference.batch-modules
         COMMAND ${CMAKE_COMMAND}
                 -DBATCH=$<TARGET_FILE:sodwright-batch>
                 -DOTHER_IDENTITY=$<TARGET_FILE:sodwright_stand_in_other_identity>
                 -DNO_TABLE=$<TARGET_FILE:sodwright_stand_in_no_table>
                 -DIDENTITY_HEADER=${PROJECT_BINARY_DIR}/generated/base/build_identity_config.h
                 -DFIGURE_MODULE=$<$<TARGET_EXISTS:sodwright-batch-figures>:$<TARGET_FILE:sodwright-batch-figures>>
                 -DTRANSECT=${PROJECT_SOURCE_DIR}/tests/data/reference/kolv-a-tab-forward/transect.txt
                 -DEXAMPLES=${PROJECT_SOURCE_DIR}/examples
                 -DFIGURES=${SODWRIGHT_BUILD_UI}
                 -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/batch-modules
                 -P ${CMAKE_CURRENT_LIST_DIR}/run_batch_module_checks.cmake)
set_tests_properties(reference.batch-modules PROPERTIES ENVIRONMENT "DISPLAY=;ASAN_OPTIONS=detect_leaks=0")

# Stand-ins for the raster module (stand_in_module.cpp), each in a folder of
# its own under the raster module's file name.
foreach(case other_identity no_table)
  add_library(sodwright_stand_in_${case} MODULE ${CMAKE_CURRENT_LIST_DIR}/stand_in_module.cpp)
  set_target_properties(sodwright_stand_in_${case} PROPERTIES PREFIX "" OUTPUT_NAME sodwright-batch-rasters
                        LIBRARY_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/stand-in-${case})
  target_include_directories(sodwright_stand_in_${case} PRIVATE ${PROJECT_BINARY_DIR}/generated)
endforeach()
target_compile_definitions(sodwright_stand_in_other_identity PRIVATE
                           STAND_IN_IDENTITY="sodwright 0.6.0 another-commit Release" STAND_IN_TABLE=1)
target_compile_definitions(sodwright_stand_in_no_table PRIVATE
                           STAND_IN_IDENTITY=SODWRIGHT_BUILD_IDENTITY STAND_IN_TABLE=0)
target_compile_options(sodwright_stand_in_no_table PRIVATE -include base/build_identity_config.h)
