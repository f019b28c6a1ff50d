# SPDX-License-Identifier: GPL-3.0-or-later
# sodwright-batch on the example field: the DEM through --raster and the
# same nodes as a text file give the same report and the same results in
# their CSVs; each CSV read by Python's csv module gives the report's
# numbers; a KOLV run's CSV likewise; bad rasters exit with status 2, GDAL's
# reason in the program's one message and nothing from GDAL itself.
include(${SUPPORT}/batch_expect.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

function(run_ok)
  execute_process(COMMAND ${BATCH} ${ARGN} RESULT_VARIABLE status ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${BATCH} ${ARGN}: status ${status}\n${errors}")
  endif()
endfunction()

function(check_csv kind csv report)
  execute_process(COMMAND ${PYTHON} ${CHECKER} ${kind} ${csv} ${report} RESULT_VARIABLE status
                  OUTPUT_VARIABLE out ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${kind} CSV against its report: ${out}${errors}")
  endif()
endfunction()

run_ok(nibal --raster ${EXAMPLES}/small-field-dem.tif --report ${WORK_DIR}/dem-report.txt
       --csv ${WORK_DIR}/dem.csv --write-raster ${WORK_DIR}/loss.asc --date D)
run_ok(nibal ${EXAMPLES}/small-field-grid.txt --rows 30 --columns 40 --row-spacing 5 --column-spacing 5
       --report ${WORK_DIR}/text-report.txt --csv ${WORK_DIR}/text.csv --date D)
expect_same(${WORK_DIR}/dem-report.txt ${WORK_DIR}/text-report.txt "raster and text reports")
check_csv(grid ${WORK_DIR}/dem.csv ${WORK_DIR}/dem-report.txt)
foreach(layer SoilLossSum SoilLossRow SoilLossCol)
  if(NOT EXISTS ${WORK_DIR}/loss_${layer}.asc)
    message(FATAL_ERROR "no ${layer} grid written")
  endif()
endforeach()

# A comma-separated copy of the grid file reads with the comma by default.
file(READ ${EXAMPLES}/small-field-grid.txt grid_text)
string(REPLACE "\t" "," grid_text "${grid_text}")
file(WRITE ${WORK_DIR}/grid.csv "${grid_text}")
run_ok(nibal ${WORK_DIR}/grid.csv --rows 30 --columns 40 --row-spacing 5 --column-spacing 5
       --report ${WORK_DIR}/csv-report.txt --date D)
expect_same(${WORK_DIR}/csv-report.txt ${WORK_DIR}/text-report.txt "comma-separated and tab-separated input")

run_ok(kolv ${EXAMPLES}/hillslope-transect.txt --sequences 5 --report ${WORK_DIR}/kolv-report.txt
       --csv ${WORK_DIR}/kolv.csv --date D)
check_csv(kolv ${WORK_DIR}/kolv.csv ${WORK_DIR}/kolv-report.txt)
# The last column flags the points inside an end zone of either compared
# sequence: sequence 5 replaced the first and last ten measured points.
file(STRINGS ${WORK_DIR}/kolv.csv kolv_records)
list(GET kolv_records 0 heading)
list(GET kolv_records 10 point9)
list(GET kolv_records 11 point10)
list(GET kolv_records 300 point299)
if(NOT heading MATCHES ",EndZone$" OR NOT point9 MATCHES ",1$" OR NOT point10 MATCHES ",0$"
   OR NOT point299 MATCHES ",1$")
  message(FATAL_ERROR "end-zone column of the KOLV CSV: ${heading} | ${point9} | ${point10} | ${point299}")
endif()

file(WRITE ${WORK_DIR}/notes.tif "easting\tnorthing\televation\r\n")
expect_run(2 "Cannot use notes.tif as an elevation raster" nibal --raster ${WORK_DIR}/notes.tif --csv ${WORK_DIR}/x.csv)
expect_run(2 "--write-raster needs a georeferenced --raster input" nibal ${EXAMPLES}/small-field-grid.txt
           --rows 30 --columns 40 --row-spacing 5 --column-spacing 5 --write-raster ${WORK_DIR}/x.tif)

# A GeoTIFF cut off in its data: the header reads, the strips do not.
execute_process(COMMAND ${PYTHON} -c
                "import sys; d = open(sys.argv[1], 'rb').read(); open(sys.argv[2], 'wb').write(d[:len(d) // 2])"
                ${EXAMPLES}/small-field-dem.tif ${WORK_DIR}/cut.tif)
execute_process(COMMAND ${BATCH} nibal --raster ${WORK_DIR}/cut.tif --csv ${WORK_DIR}/x.csv
                RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 2
   OR NOT errors MATCHES "Cannot use cut.tif as an elevation raster: it breaks off or is damaged near row 1, column 1 \\(GDAL: [^\n]*TIFFReadEncodedStrip"
   OR errors MATCHES "(^|\n)(ERROR|Warning) [0-9]+:")
  message(FATAL_ERROR "a cut-off GeoTIFF: status ${status}, standard error:\n${errors}")
endif()
