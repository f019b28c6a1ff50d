# SPDX-License-Identifier: GPL-3.0-or-later
# The --delimiter word of sodwright-batch for a case's delimiter character
# (another character is passed as it is). Included by the case runners.
function(batch_delimiter_option character out_var)
  if(character STREQUAL "\t")
    set(word tab)
  elseif(character STREQUAL " ")
    set(word space)
  elseif(character STREQUAL ",")
    set(word comma)
  elseif(character STREQUAL ";")
    set(word semicolon)
  else()
    set(word "${character}")
  endif()
  set(${out_var} "${word}" PARENT_SCOPE)
endfunction()
