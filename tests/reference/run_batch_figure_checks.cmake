# SPDX-License-Identifier: GPL-3.0-or-later
# Arguments: BATCH, TRANSECT (a tab-delimited transect file), GRID (the
# 30 x 40 example grid at 5 m), WORK_DIR.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
include(${CMAKE_CURRENT_LIST_DIR}/../support/batch_expect.cmake)

# What a format's file starts with, or holds.
function(expect_figure path format texts)
  if(NOT EXISTS ${path})
    message(FATAL_ERROR "no figure written: ${path}")
  endif()
  if(format STREQUAL "png")
    file(READ ${path} head LIMIT 4 HEX)
    if(NOT head STREQUAL "89504e47")
      message(FATAL_ERROR "${path} is not a PNG image (starts ${head})")
    endif()
  elseif(format STREQUAL "pdf")
    file(READ ${path} head LIMIT 4 HEX)
    if(NOT head STREQUAL "25504446")  # %PDF
      message(FATAL_ERROR "${path} is not a PDF document (starts ${head})")
    endif()
  else()
    file(READ ${path} body)
    foreach(text IN LISTS texts ITEMS "<svg")
      string(FIND "${body}" "${text}" at)
      if(at EQUAL -1)
        message(FATAL_ERROR "${path} lacks \"${text}\"")
      endif()
    endforeach()
  endif()
endfunction()

set(grid_options --rows 30 --columns 40 --row-spacing 5 --column-spacing 5 --date DATE)
foreach(format png svg pdf)
  set(BATCH_COMMAND ${BATCH} kolv)
  expect_run(0 "" ${TRANSECT} --sequences 3 --direction alternative --charts ${WORK_DIR}/charts.${format})
  expect_figure(${WORK_DIR}/charts.${format} ${format}
                "Elevation;Soil Loss Rate;UpLayer Mass;Up+Sub Layer Mass;Seq 3 (last);Distance along the transect (m)")
  set(BATCH_COMMAND ${BATCH} nibal)
  expect_run(0 "" ${GRID} ${grid_options} --report ${WORK_DIR}/report-${format}.txt --map ${WORK_DIR}/map.${format})
  expect_figure(${WORK_DIR}/map.${format} ${format} "NIBAL map: SoilLossSum;loss;gain;50 m")
endforeach()

set(BATCH_COMMAND ${BATCH} nibal)
# A map alone: without --report the report is not written, the map is.
expect_run(0 "" ${GRID} ${grid_options} --map ${WORK_DIR}/elevation.svg --layer Elevation)
expect_figure(${WORK_DIR}/elevation.svg svg "NIBAL map: Elevation")
get_filename_component(examples ${GRID} DIRECTORY)
# A raster's map: a DEM of 1,700 columns is drawn 567 pixels across, each
# the mean of 3 x 3 cells, with the DEM's eastings (0 to 1700 m) on its axis.
set(dem "ncols 1700\nnrows 5\nxllcorner 0\nyllcorner 0\ncellsize 1\n")
foreach(pattern "1 3 2 5 4 " "2 4 3 6 5 " "3 5 4 7 6 " "5 6 4 8 7 " "6 8 5 9 8 ")
  string(REPEAT "${pattern}" 340 row)
  string(APPEND dem "${row}\n")
endforeach()
file(WRITE ${WORK_DIR}/wide.asc "${dem}")
expect_run(0 "" --raster ${WORK_DIR}/wide.asc --map ${WORK_DIR}/wide.svg --layer DCurvRow)
expect_figure(${WORK_DIR}/wide.svg svg "NIBAL map: DCurvRow;each pixel: mean of 3;Easting (m);Northing (m);1500")
expect_run(0 "" --raster ${examples}/small-field-dem.tif --map ${WORK_DIR}/raster-map.png)
expect_figure(${WORK_DIR}/raster-map.png png "")
expect_run(2 "unknown map layer: Height" ${GRID} ${grid_options} --report ${WORK_DIR}/report.txt
           --map ${WORK_DIR}/height.svg --layer Height)
# The colour limit bounds the scale as the map window's box does.
expect_run(0 "" ${GRID} ${grid_options} --map ${WORK_DIR}/limited.svg --colour-limit 0.5)
expect_figure(${WORK_DIR}/limited.svg svg "0.5 loss;-0.5 gain;colour limit ±0.5 as given")
expect_run(2 "--colour-limit 0: the colour scale's limit must be a number above 0" ${GRID}
           ${grid_options} --map ${WORK_DIR}/limited.svg --colour-limit 0)
set(BATCH_COMMAND ${BATCH} kolv)
expect_run(2 "must end in .png, .svg or .pdf" ${TRANSECT} --sequences 3 --charts ${WORK_DIR}/charts.bmp)
message(STATUS "batch figure checks passed")
