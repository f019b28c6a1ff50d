# SPDX-License-Identifier: GPL-3.0-or-later
# sodwright-batch nibal --raster --years on the example field: one year of
# one pass writes the one-year run's soil-loss grids byte for byte; bad
# years options exit with status 2 and write nothing; on 0.25 m cells the
# default coefficients' yearly step amplifies, which --strict refuses with
# status 3 and nothing written; the mosaic of tiles equals the whole run.
include(${SUPPORT}/batch_expect.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(dem ${EXAMPLES}/small-field-dem.tif)

expect_run(0 "" nibal --raster ${dem} --write-raster ${WORK_DIR}/one.asc --quiet)
expect_run(0 "no wave grows" nibal --raster ${dem} --years 1 --bulk-density 1350
           --write-raster ${WORK_DIR}/year.asc)
foreach(layer SoilLossSum SoilLossRow SoilLossCol)
  expect_same(${WORK_DIR}/one_${layer}.asc ${WORK_DIR}/year_${layer}.asc "one year's ${layer}")
endforeach()
foreach(layer ElevationChange Elevation)
  if(NOT EXISTS ${WORK_DIR}/year_${layer}.asc)
    message(FATAL_ERROR "no ${layer} grid written")
  endif()
endforeach()

foreach(bad "--years;0;--bulk-density;1350" "--years;-3;--bulk-density;1350"
            "--years;5;--bulk-density;0" "--years;5;--bulk-density;-1350"
            "--years;5;--bulk-density;1350;--passes-per-year;0" "--years;5")
  expect_run(2 "sodwright-batch nibal: --" nibal --raster ${dem} ${bad}
             --write-raster ${WORK_DIR}/bad.tif)
  if(EXISTS ${WORK_DIR}/bad.tif)
    message(FATAL_ERROR "${bad}: a refused run wrote its output")
  endif()
endforeach()
expect_run(0 "outside the usual 500-2,500 kg/m3" nibal --raster ${dem} --years 2
           --bulk-density 400 --write-raster ${WORK_DIR}/light.tif --quiet)

# The field's 40 x 30 cells squeezed to 0.25 m.
execute_process(COMMAND ${GDAL_TRANSLATE} -q -a_ullr 0 7.5 10 0 ${dem} ${WORK_DIR}/fine.tif
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "gdal_translate failed")
endif()
expect_run(3 "the smallest --passes-per-year that keeps it stable is" nibal --raster
           ${WORK_DIR}/fine.tif --years 2 --bulk-density 1350 --strict
           --write-raster ${WORK_DIR}/fine-years.tif)
if(EXISTS ${WORK_DIR}/fine-years.tif)
  message(FATAL_ERROR "--strict refused an unstable run but its output was written")
endif()

# Twenty years of two passes tile by tile: the gdalbuildvrt mosaic of the
# six tiles equals the whole run, band for band (both written out as ESRI
# ASCII grids by gdal_translate, so that the texts compare).
execute_process(COMMAND ${BATCH} nibal --raster ${dem} --years 20 --bulk-density 1350
                        --passes-per-year 2 --write-raster ${WORK_DIR}/whole.tif --quiet
                RESULT_VARIABLE status)
set(tiles)
foreach(tile RANGE 5)
  execute_process(COMMAND ${BATCH} nibal --raster ${dem} --years 20 --bulk-density 1350
                          --passes-per-year 2 --tile ${tile} --tile-size 15
                          --write-raster ${WORK_DIR}/tile${tile}.tif --quiet
                  RESULT_VARIABLE tile_status)
  if(NOT status EQUAL 0 OR NOT tile_status EQUAL 0)
    message(FATAL_ERROR "a run of years on tile ${tile} or the whole DEM failed")
  endif()
  list(APPEND tiles ${WORK_DIR}/tile${tile}.tif)
endforeach()
execute_process(COMMAND ${GDALBUILDVRT} -q ${WORK_DIR}/mosaic.vrt ${tiles} RESULT_VARIABLE status)
foreach(band RANGE 1 5)
  foreach(source whole.tif mosaic.vrt)
    execute_process(COMMAND ${GDAL_TRANSLATE} -q -b ${band} -of AAIGrid ${WORK_DIR}/${source}
                            ${WORK_DIR}/${source}-${band}.asc RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "gdal_translate of ${source} band ${band} failed")
    endif()
  endforeach()
  expect_same(${WORK_DIR}/whole.tif-${band}.asc ${WORK_DIR}/mosaic.vrt-${band}.asc
              "band ${band} of the tiles' mosaic")
endforeach()
