# SPDX-License-Identifier: GPL-3.0-or-later
# Arguments: BATCH, TRANSECT (a tab-delimited transect file), EXAMPLES (the
# examples folder), FIGURES (whether the build draws figures), WORK_DIR,
# OTHER_IDENTITY and NO_TABLE (stand-ins for the raster module) and
# FIGURE_MODULE (the figure module, empty without figures) and
# IDENTITY_HEADER (the generated header naming this build's identity).
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/alone)
include(${CMAKE_CURRENT_LIST_DIR}/../support/batch_expect.cmake)

# The runner itself needs neither Qt nor GDAL.
execute_process(COMMAND readelf -d ${BATCH} OUTPUT_VARIABLE dynamic RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "readelf cannot read ${BATCH}")
endif()
string(REGEX MATCHALL "\\[lib(gdal|Qt6)[^]]*\\]" large "${dynamic}")
if(large)
  message(FATAL_ERROR "sodwright-batch loads ${large} at start")
endif()

# A runner whose modules are missing still runs a transect study, and says
# which module a figure, a raster or a workbook needs and where it belongs.
set(alone ${WORK_DIR}/alone/sodwright-batch)
file(COPY_FILE ${BATCH} ${alone})
set(BATCH_COMMAND ${alone} kolv)
expect_run(0 "" ${TRANSECT} --sequences 3 --direction alternative --report ${WORK_DIR}/alone/report.txt)
set(BATCH_COMMAND ${BATCH} kolv)
expect_run(0 "" ${TRANSECT} --sequences 3 --direction alternative --report ${WORK_DIR}/report.txt)
expect_same(${WORK_DIR}/report.txt ${WORK_DIR}/alone/report.txt "a study without modules")
if(FIGURES)
  # Said before the study runs: no report is written.
  set(BATCH_COMMAND ${alone} kolv)
  expect_run(2 "The figure module (sodwright-batch-figures.so) is missing; it belongs beside sodwright-batch or in its lib/sodwright folder."
             ${TRANSECT} --sequences 3 --charts ${WORK_DIR}/alone/charts.svg --report ${WORK_DIR}/alone/late.txt)
  if(EXISTS ${WORK_DIR}/alone/late.txt)
    message(FATAL_ERROR "the study ran although its figure could not be drawn")
  endif()
endif()
set(BATCH_COMMAND ${alone} nibal-tiles)
expect_run(2 "The raster module (sodwright-batch-rasters.so) is missing"
           ${EXAMPLES}/small-field-dem.tif --tile-size 16)

# Naming the outputs needs no module: the runner without its modules still
# finds a --write-raster layer file that is the --csv.
set(BATCH_COMMAND ${alone} nibal)
expect_run(2 "--write-raster ${WORK_DIR}/alone/x_SoilLossRow.asc is the same file as --csv"
           --raster ${EXAMPLES}/small-field-dem.tif --write-raster ${WORK_DIR}/alone/x.asc
           --csv ${WORK_DIR}/alone/x_SoilLossRow.asc)

# A module the runner must not take is refused by its file name, exit 2, and
# nothing of it is called: another module under its name, a module of
# another build (both identities named), a module that hands out no table.
function(expect_refused case module text)
  set(folder ${WORK_DIR}/${case})
  file(MAKE_DIRECTORY ${folder})
  file(COPY_FILE ${BATCH} ${folder}/sodwright-batch)
  file(COPY_FILE ${module} ${folder}/sodwright-batch-rasters.so)
  set(BATCH_COMMAND ${folder}/sodwright-batch nibal-tiles)
  expect_run(2 "${folder}/sodwright-batch-rasters.so ${text}" ${EXAMPLES}/small-field-dem.tif --tile-size 16)
endfunction()
if(FIGURE_MODULE)
  expect_refused(renamed ${FIGURE_MODULE}
                 "is not the module sodwright-batch-rasters.so but sodwright-batch-figures.so under its name")
endif()
file(STRINGS ${IDENTITY_HEADER} identity REGEX "^#define SODWRIGHT_BUILD_IDENTITY ")
string(REGEX REPLACE ".*IDENTITY \"(.*)\"$" "\\1" identity "${identity}")
expect_refused(other-identity ${OTHER_IDENTITY}
               "was built as \"sodwright 0.6.0 another-commit Release\", the core of this sodwright-batch as \"${identity}\"")
expect_refused(no-table ${NO_TABLE} "hands out no table of functions")
