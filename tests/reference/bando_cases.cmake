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
