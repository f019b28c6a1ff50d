# SPDX-License-Identifier: GPL-3.0-or-later
# NIBAL reference cases: each folder under tests/data/reference/nibal-* holds
# grid.txt, params.json (the typed boxes), expected_report.txt (date line
# "DATE") and expected_messages.json (the notes shown). Each runs through
# sodwright-batch and is compared by run_nibal_case.cmake.
#
# The shared cases let a field that fills its 14-character print zone touch
# the next field (lines 9, 10, 17 and 18); this program puts a whole zone of
# blanks there instead, so those four lines are compared with their blanks
# removed. The cases made here follow the program's layout and are compared
# byte for byte.
file(GLOB nibal_case_dirs LIST_DIRECTORIES true ${PROJECT_SOURCE_DIR}/tests/data/reference/nibal-*)
foreach(case_dir IN LISTS nibal_case_dirs)
  if(NOT IS_DIRECTORY ${case_dir})
    continue()
  endif()
  get_filename_component(case_name ${case_dir} NAME)
  set(loose_lines "9;10;17;18")
  if(EXISTS ${case_dir}/EXACT_LAYOUT)
    set(loose_lines "")
  endif()
  add_test(NAME reference.${case_name}
           COMMAND ${CMAKE_COMMAND}
                   -DBATCH=$<TARGET_FILE:sodwright-batch>
                   -DCASE_DIR=${case_dir}
                   -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/${case_name}
                   "-DLOOSE_LINES=${loose_lines}"
                   -P ${CMAKE_CURRENT_LIST_DIR}/run_nibal_case.cmake)
endforeach()
# Grid files as GIS tools write them, and coordinates that contradict the
# rows and columns given (run_nibal_batch_checks.cmake).
add_test(NAME reference.nibal-batch-checks
         COMMAND ${CMAKE_COMMAND}
                 -DBATCH=$<TARGET_FILE:sodwright-batch>
                 -DDATA=${PROJECT_SOURCE_DIR}/tests/data/grid-files
                 -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/nibal-batch-checks
                 -P ${CMAKE_CURRENT_LIST_DIR}/run_nibal_batch_checks.cmake)
