# SPDX-License-Identifier: GPL-3.0-or-later
# sodwright-batch nibal on grid files as GIS tools write them (DATA): x y z
# text with a heading, fully quoted CSV, rows and columns given the wrong way
# round (a warning; --strict refuses with status 2) and a wrong delimiter.
include(${CMAKE_CURRENT_LIST_DIR}/../support/batch_expect.cmake)
file(MAKE_DIRECTORY ${WORK_DIR})
set(spacings --row-spacing 5 --column-spacing 5)
set(out --csv ${WORK_DIR}/out.csv)

expect_run(0 "nibal: First line taken as a heading and skipped: X Y Z"
           nibal ${DATA}/field-6x5.xyz --rows 5 --columns 6 ${spacings} ${out})
expect_run(0 "nibal: First line taken as a heading and skipped: \"X\",\"Y\",\"Z\""
           nibal ${DATA}/field-6x5-quoted.csv --rows 5 --columns 6 ${spacings} ${out})
file(STRINGS ${WORK_DIR}/out.csv records)
list(GET records 30 last)
if(NOT last MATCHES "^5,6,512025,4800980,")
  message(FATAL_ERROR "quoted CSV: last node read as ${last}")
endif()

set(swapped "The eastings and northings do not form 6 rows x 5 columns: node (2, 1) has easting 512025 where node (1, 1) of its column has 512000. The coordinates suggest 5 rows x 6 columns.")
expect_run(0 "nibal: warning: ${swapped}"
           nibal ${DATA}/field-6x5.xyz --rows 6 --columns 5 ${spacings} ${out})
expect_run(2 "nibal: ${swapped}"
           nibal ${DATA}/field-6x5.xyz --rows 6 --columns 5 ${spacings} ${out} --strict)

expect_run(2 "Line 2: fewer than three fields. The line has 1 field with the delimiter Tab. It seems to use Space."
           nibal ${DATA}/field-6x5.xyz --rows 5 --columns 6 ${spacings} ${out} --delimiter tab)

# A DEM without a coordinate system whose cells and place look like degrees
# (3 arc-seconds near 10 E, 45 N) runs, with a warning that names the file.
set(dem ${WORK_DIR}/degrees.asc)
file(WRITE ${dem} "ncols 5\nnrows 5\nxllcorner 10\nyllcorner 45\ncellsize 0.000833333\n")
foreach(row RANGE 4)
  file(APPEND ${dem} "100 101 102 103 104\n")
endforeach()
expect_run(0 "warning: degrees.asc names no coordinate system and its cells (0.000833333 x 0.000833333) lie within longitude and latitude ranges"
           nibal --raster ${dem} --quiet --csv ${WORK_DIR}/degrees.csv)
