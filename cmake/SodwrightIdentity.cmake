# SPDX-License-Identifier: GPL-3.0-or-later
# The build identity, fixed at configure time: the core and each runner module
# carry it, and the runner loads only a module whose identity is its core's.
# Without git (a source tarball) the commit reads "unknown".
find_package(Git QUIET)
set(commit unknown)
if(GIT_FOUND)
  execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --short=12 HEAD
                  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} OUTPUT_VARIABLE head
                  OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed ERROR_QUIET)
  if(NOT failed AND head)
    set(commit ${head})
    execute_process(COMMAND ${GIT_EXECUTABLE} status --porcelain --untracked-files=no
                    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} OUTPUT_VARIABLE changes ERROR_QUIET)
    if(changes)
      string(APPEND commit "-dirty")
    endif()
    # A new commit configures again, so that the identity follows it.
    execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --path-format=absolute --git-path logs/HEAD
                    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} OUTPUT_VARIABLE log
                    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(log AND EXISTS ${log})
      set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${log})
    endif()
  endif()
endif()
set(layout ${CMAKE_BUILD_TYPE})
if(SODWRIGHT_SANITIZE)
  string(APPEND layout " sanitized checked")
endif()
set(SODWRIGHT_BUILD_IDENTITY
    "sodwright ${PROJECT_VERSION} ${commit} ${layout} ${CMAKE_CXX_COMPILER_ID} ${CMAKE_CXX_COMPILER_VERSION}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/build_identity.h.in
               ${PROJECT_BINARY_DIR}/generated/base/build_identity_config.h @ONLY)
unset(commit)
unset(layout)
