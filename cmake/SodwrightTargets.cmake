# Helpers that keep each folder's CMakeLists short: a library is every .cpp
# file of its folder (subfolders are their own targets).

function(sodwright_library name)
  cmake_parse_arguments(ARG "" "" "LINKS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT sources)
    # A folder that holds only headers so far.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE sodwright_options ${ARG_LINKS})
    return()
  endif()
  add_library(${name} STATIC ${sources} ${headers})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC sodwright_options ${ARG_LINKS})
endfunction()

# A test executable of every .cpp file in the folder, with one CTest entry per
# GoogleTest fixture so that a failure names its area.
function(sodwright_test name)
  cmake_parse_arguments(ARG "QT" "" "LINKS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
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
  foreach(src IN LISTS sources)
    file(STRINGS ${src} lines REGEX "^(TEST|TEST_F|TEST_P)\\(")
    foreach(line IN LISTS lines)
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
