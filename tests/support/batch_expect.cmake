# SPDX-License-Identifier: GPL-3.0-or-later
# Checks shared by the CMake scripts that drive sodwright-batch in tests.
# BATCH_COMMAND is the runner with any leading words (default: BATCH).

function(expect_same a b what)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${a} ${b} RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "${what}: ${a} and ${b} differ")
  endif()
endfunction()

# Runs the batch with ARGN; expects `status` and a standard error holding `text`.
function(expect_run status text)
  if(NOT BATCH_COMMAND)
    set(BATCH_COMMAND ${BATCH})
  endif()
  execute_process(COMMAND ${BATCH_COMMAND} ${ARGN} RESULT_VARIABLE actual ERROR_VARIABLE errors)
  if(NOT actual EQUAL status)
    message(FATAL_ERROR "${BATCH_COMMAND} ${ARGN}: status ${actual}, expected ${status}\n${errors}")
  endif()
  string(FIND "${errors}" "${text}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${BATCH_COMMAND} ${ARGN}: standard error lacks \"${text}\":\n${errors}")
  endif()
endfunction()
