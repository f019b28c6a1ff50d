# SPDX-License-Identifier: GPL-3.0-or-later
# Arguments: BATCH, TRANSECT (a tab-delimited transect file), EXAMPLES (the
# examples folder: hillslope-transect.txt, hillslope-measured-after-10.txt,
# small-field-grid.txt, small-field-dem.tif), FIGURES (whether the build
# draws figures), WORK_DIR.
# Every output option of every command that writes files: given alone it
# writes its file; past a file-size limit it fails and the file it would
# have replaced stays as it was; on an input or on another output it is
# refused with status 2 before anything is read or written.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/../support/batch_expect.cmake)
find_program(PRLIMIT prlimit REQUIRED)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/alone)
# Copies, so that a run that writes on an input harms no source file.
set(in ${WORK_DIR}/transect.txt)
set(base ${WORK_DIR}/base.txt)
set(hill ${WORK_DIR}/hillslope.txt)
set(measured ${WORK_DIR}/measured.txt)
set(grid ${WORK_DIR}/grid.txt)
set(dem ${WORK_DIR}/dem.tif)
file(COPY_FILE ${TRANSECT} ${in})
file(COPY_FILE ${TRANSECT} ${base})
file(COPY_FILE ${EXAMPLES}/hillslope-transect.txt ${hill})
file(COPY_FILE ${EXAMPLES}/hillslope-measured-after-10.txt ${measured})
file(COPY_FILE ${EXAMPLES}/small-field-grid.txt ${grid})
file(COPY_FILE ${EXAMPLES}/small-field-dem.tif ${dem})

# The least each command runs with: its inputs and the options it requires.
set(run_kolv kolv ${in})
set(run_kolv-fit kolv-fit ${hill} --observed ${measured} --fit beta)
set(run_kolv-ensemble kolv-ensemble ${in} --runs 2 --vary alpha=normal:0.3:0.05)
set(run_nibal nibal ${grid} --rows 30 --columns 40 --row-spacing 5 --column-spacing 5)
set(run_nibal-raster nibal --raster ${dem} --quiet)

# `option` alone writes `file` (in WORK_DIR/alone); then, the file there,
# the same run past a file-size limit (in bytes) fails and leaves it.
function(writes command option file)
  if(NOT FIGURES AND file MATCHES "\\.svg$")
    return()
  endif()
  set(BATCH_COMMAND ${BATCH} ${run_${command}})
  set(path ${WORK_DIR}/alone/${command}${option}-${file})
  execute_process(COMMAND ${BATCH_COMMAND} ${option} ${path} RESULT_VARIABLE status OUTPUT_QUIET
                  ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${command} ${option} alone: status ${status}\n${errors}")
  endif()
  if(EXISTS ${path})
    file(SIZE ${path} size)
  endif()
  if(NOT size)
    message(FATAL_ERROR "${command} ${option} alone exited 0 and wrote no ${path}")
  endif()
  set(limit 256)
  if(NOT size GREATER limit)
    message(FATAL_ERROR "${path} has ${size} bytes: the limit of ${limit} would not be reached")
  endif()
  file(SHA256 ${path} before)
  execute_process(COMMAND ${PRLIMIT} --fsize=${limit} ${BATCH_COMMAND} ${option} ${path}
                  RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)
  file(SHA256 ${path} after)
  file(GLOB left ${WORK_DIR}/alone/.*)
  if(status EQUAL 0 OR NOT after STREQUAL before OR left)
    message(FATAL_ERROR "${command} ${option} past a size limit: status ${status}, "
                        "file kept: ${after} ${before}, left: ${left}\n${errors}")
  endif()
endfunction()

writes(kolv          --report        report.txt)
writes(kolv          --csv           compare.csv)
writes(kolv          --last-sequence last.txt)
writes(kolv          --charts        charts.svg)
writes(kolv-fit      --residuals     residuals.csv)
writes(kolv-fit      --json          fit.json)
writes(kolv-fit      --figure        fit.svg)
writes(kolv-ensemble --csv           ensemble.csv)
writes(kolv-ensemble --charts        charts.svg)
writes(kolv-ensemble --report        report.txt)
writes(kolv-ensemble --last-sequence last.txt)
writes(nibal         --report        report.txt)
writes(nibal         --csv           nodes.csv)
writes(nibal         --map           map.svg)
writes(nibal-raster  --report        report.txt)
writes(nibal-raster  --csv           nodes.csv)
writes(nibal-raster  --map           map.svg)
writes(nibal-raster  --write-raster  loss.tif)

# "-" for a text output is the standard output: the text of the file
# `option` alone wrote; two outputs on it are refused.
function(writes_to_standard_output command option file)
  execute_process(COMMAND ${BATCH} ${run_${command}} ${option} - RESULT_VARIABLE status
                  OUTPUT_VARIABLE text ERROR_VARIABLE errors)
  file(READ ${WORK_DIR}/alone/${command}${option}-${file} expected)
  if(NOT status EQUAL 0 OR NOT text STREQUAL expected)
    message(FATAL_ERROR "${command} ${option} -: status ${status}, not the file's text\n${errors}")
  endif()
endfunction()
writes_to_standard_output(kolv         --csv compare.csv)
writes_to_standard_output(nibal-raster --csv nodes.csv)
set(BATCH_COMMAND ${BATCH} ${run_kolv})
expect_run(2 "--csv - is the same file as --report" --report - --csv -)
unset(BATCH_COMMAND)

# Runs `command` with ARGN; expects status 2, a message holding one of the
# two texts, and `file` as it was.
function(expect_refused command file text other_text)
  file(SHA256 ${file} before)
  set(BATCH_COMMAND ${BATCH} ${run_${command}})
  execute_process(COMMAND ${BATCH_COMMAND} ${ARGN} RESULT_VARIABLE status OUTPUT_QUIET
                  ERROR_VARIABLE errors)
  string(FIND "${errors}" "${text}" at)
  string(FIND "${errors}" "${other_text}" other_at)
  if(NOT status EQUAL 2 OR (at EQUAL -1 AND other_at EQUAL -1))
    message(FATAL_ERROR "${command} ${ARGN}: status ${status}, expected 2 and \"${text}\"\n${errors}")
  endif()
  file(SHA256 ${file} after)
  if(NOT after STREQUAL before)
    message(FATAL_ERROR "${command} ${ARGN}: refused, yet ${file} changed")
  endif()
endfunction()

# `option` given the file `path` that `input` reads, then given one file with
# the output `other` (either may be named first). An input the command runs
# without (--base) is added.
set(kept ${WORK_DIR}/kept.txt)
set(refused "is the same file as")
set(untouched ": give another file; nothing was read or written")
function(refused_on command option input path other)
  set(extra "")
  if(NOT input STREQUAL "INPUT" AND NOT input IN_LIST run_${command})
    set(extra ${input} ${path})
  endif()
  set(text "${option} ${path} ${refused} ${input}${untouched}")
  expect_refused(${command} ${path} "${text}" "${text}" ${extra} ${option} ${path})
  file(WRITE ${kept} "kept\n")
  expect_refused(${command} ${kept} "${option} ${kept} ${refused} ${other}${untouched}"
                 "${other} ${kept} ${refused} ${option}${untouched}" ${option} ${kept} ${other} ${kept})
endfunction()

refused_on(kolv          --report        INPUT      ${in}       --csv)
refused_on(kolv          --csv           --base     ${base}     --last-sequence)
refused_on(kolv          --last-sequence INPUT      ${in}       --charts)
refused_on(kolv          --charts        --base     ${base}     --report)
refused_on(kolv-fit      --residuals     --observed ${measured} --json)
refused_on(kolv-fit      --json          INPUT      ${hill}     --figure)
refused_on(kolv-fit      --figure        --base     ${base}     --residuals)
refused_on(kolv-ensemble --csv           INPUT      ${in}       --charts)
refused_on(kolv-ensemble --charts        --base     ${base}     --report)
refused_on(kolv-ensemble --report        INPUT      ${in}       --last-sequence)
refused_on(kolv-ensemble --last-sequence --base     ${base}     --csv)
refused_on(nibal         --report        INPUT      ${grid}     --csv)
refused_on(nibal         --csv           INPUT      ${grid}     --map)
refused_on(nibal         --map           INPUT      ${grid}     --report)
refused_on(nibal-raster  --report        --raster   ${dem}      --write-raster)
refused_on(nibal-raster  --csv           --raster   ${dem}      --map)
refused_on(nibal-raster  --map           --raster   ${dem}      --report)
refused_on(nibal-raster  --write-raster  --raster   ${dem}      --csv)

# An ESRI ASCII grid layer's coordinate system goes to a .prj file beside it.
set(prj ${WORK_DIR}/loss_SoilLossSum.prj)
file(WRITE ${prj} "kept\n")
set(text "--write-raster ${prj} ${refused} --report${untouched}")
expect_refused(nibal-raster ${prj} "${text}" "${text}" --write-raster ${WORK_DIR}/loss.asc --report ${prj})
# The side files the raster library reads with a DEM are inputs too.
set(side ${WORK_DIR}/dem.prj)
file(WRITE ${side} "kept\n")
set(text "--report ${side} ${refused} a side file of --raster${untouched}")
expect_refused(nibal-raster ${side} "${text}" "${text}" --report ${side})
message(STATUS "output option checks passed")
