# SPDX-License-Identifier: GPL-3.0-or-later
# BANDO reference cases: each folder under tests/data/reference/bando-* holds
# params.json (scenarios: one press of "Run BANDO" in a fresh indicator
# window each) and expected.json (the texts shown and the messages, scenario
# by scenario). Every scenario runs through sodwright-batch bando on its own
# and is compared by run_bando_case.cmake.
file(GLOB bando_case_dirs LIST_DIRECTORIES true ${PROJECT_SOURCE_DIR}/tests/data/reference/bando-*)
foreach(case_dir IN LISTS bando_case_dirs)
  if(NOT IS_DIRECTORY ${case_dir})
    continue()
  endif()
  get_filename_component(case_name ${case_dir} NAME)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${case_dir}/params.json)
  file(READ ${case_dir}/params.json bando_params)
  string(JSON scenario_count LENGTH "${bando_params}" scenarios)
  math(EXPR last_scenario "${scenario_count} - 1")
  foreach(scenario RANGE ${last_scenario})
    add_test(NAME reference.${case_name}.${scenario}
             COMMAND ${CMAKE_COMMAND}
                     -DBATCH=$<TARGET_FILE:sodwright-batch>
                     -DCASE_DIR=${case_dir}
                     -DSCENARIO=${scenario}
                     -P ${CMAKE_CURRENT_LIST_DIR}/run_bando_case.cmake)
  endforeach()
endforeach()

# The option forms the reference scenarios do not use: item texts, implement
# names, a row left out, a run that ends at the slope data, mixed modes.
set(bando_batch $<TARGET_FILE:sodwright-batch> bando)
# Item texts match in any letter case.
add_test(NAME batch.bando.item-texts
         COMMAND ${bando_batch} --slope-class "d (16-30%)" --surface-form "Other Type"
                 --crop POTATO --region "BC Region4" --tillage "Conventional Tillage")
set_tests_properties(batch.bando.item-texts PROPERTIES
  PASS_REGULAR_EXPRESSION "^EI 4000\\.0 % m / ha\nEt 10\\.7 kg / m / %\nAt 42\\.8 t / ha / yr\nClass Severe\n$")
# The window leaves a row with negative passes out of the sum; the batch refuses it.
add_test(NAME batch.bando.negative-passes
         COMMAND ${CMAKE_COMMAND} -DBATCH=$<TARGET_FILE:sodwright-batch>
                 -P ${CMAKE_CURRENT_LIST_DIR}/run_bando_refusals.cmake)
add_test(NAME batch.bando.missing-slope-length
         COMMAND ${bando_batch} --slope-gradient 12abc --convex-area 5)
set_tests_properties(batch.bando.missing-slope-length PROPERTIES
  PASS_REGULAR_EXPRESSION "^--slope-length \"\": Please input data \\(accepted: a length above 0 m\\)\n$")
add_test(NAME batch.bando.mixed-modes
         COMMAND ${bando_batch} --slope-class 0 --slope-gradient 3 --slope-length 10)
set_tests_properties(batch.bando.mixed-modes PROPERTIES WILL_FAIL TRUE)
