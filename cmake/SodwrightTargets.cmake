# SPDX-License-Identifier: GPL-3.0-or-later
# Helpers that keep each folder's CMakeLists short. Sources are written out
# in each folder's CMakeLists, so a file is built or run only when listed.

# A library of the listed sources; a folder of headers only is an INTERFACE
# library.
#
# The computation libraries also make up the shared core (src/core). A target
# with the property SODWRIGHT_LINKS_CORE (the programs and the runner's
# modules) gets the core wherever a library it links names one of them, so
# that no static copy sits beside the shared one.
set(SODWRIGHT_CORE_PARTS sodwright_base sodwright_platform sodwright_kolv sodwright_kolv_fit
    sodwright_nibal sodwright_bando sodwright_raster_window sodwright_raster_names)
function(sodwright_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  set(links "")
  foreach(link IN LISTS ARG_LINKS)
    if(link IN_LIST SODWRIGHT_CORE_PARTS)
      set(link "$<IF:$<BOOL:$<TARGET_PROPERTY:SODWRIGHT_LINKS_CORE>>,sodwright_core,${link}>")
    endif()
    list(APPEND links "${link}")
  endforeach()
  set(ARG_LINKS "${links}")
  list(FILTER ARG_SOURCES INCLUDE REGEX "\\.cpp$")
  if(NOT ARG_SOURCES)
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE sodwright_options ${ARG_LINKS})
    return()
  endif()
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC sodwright_options ${ARG_LINKS})
endfunction()

# A test executable of the listed sources, with one CTest entry per
# GoogleTest fixture so that a failure names its area. A listed file that
# holds no test, or a fixture whose every test is disabled, is an error:
# nothing registers as a test that runs nothing.
function(sodwright_test name)
  cmake_parse_arguments(ARG "QT" "" "SOURCES;LINKS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    SODWRIGHT_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
    SODWRIGHT_EXAMPLES_DIR="${PROJECT_SOURCE_DIR}/examples")
  if(ARG_QT)
    target_link_libraries(${name} PRIVATE sodwright_options ${ARG_LINKS} sodwright_qt_test_main GTest::gtest)
  else()
    target_link_libraries(${name} PRIVATE sodwright_options ${ARG_LINKS} GTest::gtest_main)
  endif()
  set(fixtures "")
  foreach(src IN LISTS ARG_SOURCES)
    if(NOT src MATCHES "_test\\.cpp$")
      continue()
    endif()
    file(STRINGS ${CMAKE_CURRENT_SOURCE_DIR}/${src} lines REGEX "^(TEST|TEST_F|TEST_P)\\(")
    if(NOT lines)
      message(FATAL_ERROR "${name}: ${src} holds no test")
    endif()
    foreach(line IN LISTS lines)
      if(line MATCHES "^TEST(_F|_P)?\\([A-Za-z0-9_]+, *DISABLED_")
        continue()
      endif()
      string(REGEX REPLACE "^TEST(_F|_P)?\\(([A-Za-z0-9_]+),.*" "\\2" fixture "${line}")
      list(APPEND fixtures ${fixture})
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES fixtures)
  foreach(fixture IN LISTS fixtures)
    add_test(NAME ${name}.${fixture} COMMAND ${name} --gtest_filter=${fixture}.*:*/${fixture}.*)
    if(ARG_QT)
      # Qt and the font libraries keep caches for the life of the process;
      # leak reports there are not the program's.
      set_tests_properties(${name}.${fixture} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=0")
    endif()
  endforeach()
endfunction()
