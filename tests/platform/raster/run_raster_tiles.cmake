# SPDX-License-Identifier: GPL-3.0-or-later
# sodwright-batch nibal on a DEM made with GDAL's tools, with a no-data
# column and a no-data hole: every tile run alone (nibal-tiles, --tile), put
# together by gdalbuildvrt, equals the whole run value for value in each
# band; and each bad input of the raster route exits with status 2, its
# message, and no output file, finished or temporary.
include(${SUPPORT}/batch_expect.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(w ${WORK_DIR})

function(run_tool)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ARGN}: status ${status}\n${out}${errors}")
  endif()
  set(tool_output "${out}" PARENT_SCOPE)
  set(tool_errors "${errors}" PARENT_SCOPE)
endfunction()

# A field of 1 m cells, 53 x 41, from the example DEM; column 40 and a block
# of 3 x 2 cells are no-data.
run_tool(${GDAL_TRANSLATE} -q -outsize 53 41 -r bilinear -ot Float32 -a_nodata -9999
         -a_ullr 512000 4801000 512053 4800959 ${EXAMPLES}/small-field-dem.tif ${w}/dem.tif)
file(WRITE ${w}/holes.geojson
  "{\"type\":\"FeatureCollection\",\"crs\":{\"type\":\"name\",\"properties\":{\"name\":\"urn:ogc:def:crs:EPSG::32633\"}},\"features\":["
  "{\"type\":\"Feature\",\"properties\":{},\"geometry\":{\"type\":\"Polygon\",\"coordinates\":[[[512040.1,4801001],[512040.9,4801001],[512040.9,4800958],[512040.1,4800958],[512040.1,4801001]]]}},"
  "{\"type\":\"Feature\",\"properties\":{},\"geometry\":{\"type\":\"Polygon\",\"coordinates\":[[[512014.1,4800980.9],[512016.9,4800980.9],[512016.9,4800979.1],[512014.1,4800979.1],[512014.1,4800980.9]]]}}]}")
run_tool(${GDAL_RASTERIZE} -q -b 1 -burn -9999 ${w}/holes.geojson ${w}/dem.tif)

execute_process(COMMAND ${BATCH} nibal --raster ${w}/dem.tif --write-raster ${w}/whole.tif
                RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0 OR NOT errors MATCHES "47 no-data nodes: left out of the report and the CSV"
   OR NOT errors MATCHES "NIBAL: 2173 cells, 2126 valid cells, [0-9.]+ s, [0-9]+ bytes written.")
  message(FATAL_ERROR "whole run: status ${status}\n${errors}")
endif()

run_tool(${BATCH} nibal-tiles ${w}/dem.tif --tile-size 16)
set(lines "${tool_output}")
if(NOT lines MATCHES "^0 0 0 16 16\n1 16 0 16 16\n2 32 0 16 16\n3 48 0 5 16\n4 0 16 16 16\n"
   OR NOT lines MATCHES "\n11 48 32 5 9\n$")
  message(FATAL_ERROR "nibal-tiles lines:\n${lines}")
endif()
string(REGEX MATCHALL "[0-9]+ [0-9]+ [0-9]+ [0-9]+ [0-9]+\n" tiles "${lines}")
set(tile_files)
foreach(line IN LISTS tiles)
  string(REGEX MATCH "^[0-9]+" index "${line}")
  run_tool(${BATCH} nibal --raster ${w}/dem.tif --tile ${index} --tile-size 16 --quiet
           --write-raster ${w}/tile${index}.tif)
  # Quiet is quiet, also for a tile with no-data nodes.
  if(NOT tool_errors STREQUAL "" OR NOT tool_output STREQUAL "")
    message(FATAL_ERROR "tile ${index} with --quiet printed:\n${tool_output}${tool_errors}")
  endif()
  list(APPEND tile_files ${w}/tile${index}.tif)
endforeach()
run_tool(${GDALBUILDVRT} -q ${w}/mosaic.vrt ${tile_files})
foreach(band 1 2 3)
  foreach(source whole.tif mosaic.vrt)
    run_tool(${GDAL_TRANSLATE} -q -b ${band} -of AAIGrid -co SIGNIFICANT_DIGITS=9 ${w}/${source}
             ${w}/${source}-${band}.asc)
  endforeach()
  expect_same(${w}/whole.tif-${band}.asc ${w}/mosaic.vrt-${band}.asc "band ${band} of the mosaic")
endforeach()
# A window is the same as the tile it names.
run_tool(${BATCH} nibal --raster ${w}/dem.tif --window 48 32 5 9 --quiet --write-raster ${w}/window.tif)
foreach(band 1 2 3)
  foreach(source tile11.tif window.tif)
    run_tool(${GDAL_TRANSLATE} -q -b ${band} -of AAIGrid -co SIGNIFICANT_DIGITS=9 ${w}/${source}
             ${w}/${source}-${band}.asc)
  endforeach()
  expect_same(${w}/tile11.tif-${band}.asc ${w}/window.tif-${band}.asc "window 48 32 5 9 and tile 11")
endforeach()

# Bad input: status 2, the message, nothing written.
file(MAKE_DIRECTORY ${w}/out)
function(expect_refused text)
  expect_run(2 "${text}" ${ARGN})
  file(GLOB left ${w}/out/* ${w}/out/.*)
  if(left)
    message(FATAL_ERROR "${ARGN}: left ${left}")
  endif()
endfunction()
set(out --write-raster ${w}/out/loss.tif --report ${w}/out/report.txt)
expect_refused("The window 50 0 4 4 reaches outside dem.tif, which has 53 columns x 41 rows"
               nibal --raster ${w}/dem.tif --window 50 0 4 4 ${out})
expect_refused("The window 0 0 0 4 is empty" nibal --raster ${w}/dem.tif --window 0 0 0 4 ${out})
expect_refused("The window 0 0 -3 4 is empty" nibal --raster ${w}/dem.tif --window 0 0 -3 4 ${out})
expect_refused("The window -1 0 3 4 reaches outside" nibal --raster ${w}/dem.tif --window -1 0 3 4 ${out})
expect_refused("--window takes whole numbers, not \"2.5\"" nibal --raster ${w}/dem.tif --window 0 0 2.5 4 ${out})
expect_refused("There is no tile 12: dem.tif has 12 tiles of 16 cells, numbered 0 to 11."
               nibal --raster ${w}/dem.tif --tile 12 --tile-size 16 ${out})
expect_refused("The tile size must be at least 5 cells, not 4."
               nibal --raster ${w}/dem.tif --tile 0 --tile-size 4 ${out})
expect_refused("The tile size must be at least 5 cells, not 4." nibal-tiles ${w}/dem.tif --tile-size 4)
expect_refused("--tile and --tile-size go together" nibal --raster ${w}/dem.tif --tile 1 ${out})
expect_refused("--cog makes the --write-raster GeoTIFF cloud-optimized" nibal --raster ${w}/dem.tif --cog --report ${w}/out/r.txt)
expect_refused("a cloud-optimized GeoTIFF is a .tif or .tiff file" nibal --raster ${w}/dem.tif --cog --write-raster ${w}/out/loss.asc)

run_tool(${GDAL_TRANSLATE} -q -a_srs EPSG:4326 -a_ullr 10 50 10.053 49.959 ${w}/dem.tif ${w}/degrees.tif)
expect_refused("its cells are measured in degrees" nibal --raster ${w}/degrees.tif ${out})
run_tool(${GDAL_TRANSLATE} -q -scale 0 1000 -9999 -9999 ${w}/dem.tif ${w}/empty.tif)
expect_refused("Cannot use empty.tif as an elevation raster: every cell is no-data"
               nibal --raster ${w}/empty.tif ${out})

# A DEM of one line per strip, cut off in the middle: the message names the
# first line that cannot be read.
run_tool(${GDAL_TRANSLATE} -q -co BLOCKYSIZE=1 ${w}/dem.tif ${w}/lines.tif)
file(SIZE ${w}/lines.tif size)
math(EXPR kept "${size} * 6 / 10")
execute_process(COMMAND ${PYTHON} -c
                "import sys; d = open(sys.argv[1], 'rb').read(); open(sys.argv[2], 'wb').write(d[:int(sys.argv[3])])"
                ${w}/lines.tif ${w}/cut.tif ${kept})
expect_refused("Cannot use cut.tif as an elevation raster: it breaks off or is damaged near row 2"
               nibal --raster ${w}/cut.tif ${out})

# A full disk, stood in for by a file size limit (its signal ignored, so the
# write fails rather than the program).
set(BATCH_COMMAND bash -c "trap '' XFSZ && ulimit -f 4 && exec \"$0\" \"$@\"" ${BATCH})
expect_refused("Cannot write the result raster: cannot write ${w}/out/loss.tif"
               nibal --raster ${w}/dem.tif --write-raster ${w}/out/loss.tif)
