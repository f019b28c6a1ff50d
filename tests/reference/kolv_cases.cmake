# SPDX-License-Identifier: GPL-3.0-or-later
# KOLV reference cases: each folder under tests/data/reference/kolv-* holds
# transect.txt, params.json (the delimiter and the boxes typed into the
# parameter window before "Run KOLV"), expected_compare_report.txt (date line
# "DATE") and expected_last_sequence.txt. Each runs through sodwright-batch
# and both outputs are compared byte for byte by run_kolv_case.cmake.
file(GLOB kolv_case_dirs LIST_DIRECTORIES true ${PROJECT_SOURCE_DIR}/tests/data/reference/kolv-*)
foreach(case_dir IN LISTS kolv_case_dirs)
  if(NOT IS_DIRECTORY ${case_dir})
    continue()
  endif()
  get_filename_component(case_name ${case_dir} NAME)
  add_test(NAME reference.${case_name}
           COMMAND ${CMAKE_COMMAND}
                   -DBATCH=$<TARGET_FILE:sodwright-batch>
                   -DCASE_DIR=${case_dir}
                   -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/${case_name}
                   -P ${CMAKE_CURRENT_LIST_DIR}/run_kolv_case.cmake)
endforeach()
