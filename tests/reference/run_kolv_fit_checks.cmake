# SPDX-License-Identifier: GPL-3.0-or-later
# sodwright-batch kolv-fit: a fit to a transect made with known coefficients
# writes its JSON and CSV and exits 0; a run limit too small exits 4; every
# bad input exits 2 with its reason. Arguments: BATCH, INPUT (the example
# transect, 300 points at sequence 0), WORK_DIR.
cmake_minimum_required(VERSION 3.25)
file(MAKE_DIRECTORY ${WORK_DIR})
include(${CMAKE_CURRENT_LIST_DIR}/../support/batch_expect.cmake)

set(after ${WORK_DIR}/after.txt)
set(BATCH_COMMAND ${BATCH} kolv)
expect_run(0 "" ${INPUT} --sequences 10 --alpha 0.35 --beta 0.004 --last-sequence ${after})
set(BATCH_COMMAND ${BATCH} kolv-fit)
expect_run(0 "" ${INPUT} --observed ${after} --fit alpha,beta --json ${WORK_DIR}/fit.json
           --residuals ${WORK_DIR}/residuals.csv ${FIGURE_OPTION})
if(FIGURE_OPTION AND NOT EXISTS ${WORK_DIR}/fit.svg)
  message(FATAL_ERROR "--figure wrote no fit.svg")
endif()
expect_run(2 "a figure file must end in .png, .svg or .pdf" ${INPUT} --observed ${after} --fit beta
           --figure ${WORK_DIR}/fit.gif)
file(READ ${WORK_DIR}/fit.json json)
string(JSON converged GET "${json}" converged)
string(JSON alpha GET "${json}" parameters 0 value)
string(JSON nodes GET "${json}" nodes)
if(NOT converged STREQUAL "ON" OR NOT nodes EQUAL 260 OR alpha LESS 0.3499 OR alpha GREATER 0.3501)
  message(FATAL_ERROR "fit.json: converged ${converged}, nodes ${nodes}, alpha ${alpha}")
endif()
file(STRINGS ${WORK_DIR}/residuals.csv rows)
list(LENGTH rows count)
if(NOT count EQUAL 301)
  message(FATAL_ERROR "residuals.csv: ${count} lines, expected a header and 300 points")
endif()
expect_run(4 "not converged: the run limit was reached" ${INPUT} --observed ${after} --fit alpha,beta
           --max-runs 5)
# A search on a sum of squares that overflows, or one whose only parameter
# moves nothing, is no success: status 4 with the reason.
execute_process(COMMAND ${PYTHON} -c "
import sys
lines = open(sys.argv[1], 'rb').read().split(b'\\r\\n')
lines[100] = lines[100].rsplit(b'\\t', 1)[0] + b'\\t1e200'
open(sys.argv[2], 'wb').write(b'\\r\\n'.join(lines))
" ${INPUT} ${WORK_DIR}/input-huge.txt)
expect_run(4 "kolv-fit: not converged: the sum of squares overflows" ${WORK_DIR}/input-huge.txt
           --observed ${after} --fit beta)
expect_run(4 "kolv-fit: no fitted parameter is determined by the observed values" ${INPUT}
           --observed ${after} --fit gamma)

# Observed files that do not fit INPUT, made from the good one (bytes kept:
# the file's lines end in CR LF).
function(variant name line from to)
  execute_process(COMMAND ${PYTHON} -c "
import sys
lines = open(sys.argv[1], 'rb').read().split(b'\\r\\n')
i = int(sys.argv[3])
lines[i] = lines[i].replace(sys.argv[4].encode(), sys.argv[5].encode(), 1) if sys.argv[4] else lines[i].rsplit(b'\\t', 1)[0] + b'\\t' + sys.argv[5].encode()
open(sys.argv[2], 'wb').write(b'\\r\\n'.join(lines))
" ${after} ${WORK_DIR}/${name}.txt ${line} "${from}" "${to}" RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "could not make ${name}.txt")
  endif()
endfunction()
variant(points 0 " 300 " " 299 ")
variant(interval 1 "Interval =\t 1 " "Interval =\t 2 ")
variant(sequence0 0 "=\t10\t" "=\t0\t")
variant(sequence51 0 "=\t10\t" "=\t51\t")
variant(nan 8 "" "nan")
variant(empty 8 "" "")
variant(huge 8 "" "1e308")

expect_run(2 "the observed file has 299 points; INPUT has 300" ${INPUT} --observed ${WORK_DIR}/points.txt
           --fit beta)
expect_run(2 "the observed file's interval is 2 m; INPUT's is 1 m" ${INPUT}
           --observed ${WORK_DIR}/interval.txt --fit beta)
expect_run(2 "the observed file is at sequence 0, not after INPUT's sequence 0" ${INPUT}
           --observed ${WORK_DIR}/sequence0.txt --fit beta)
expect_run(2 "51 sequences after INPUT; a run simulates at most 50" ${INPUT}
           --observed ${WORK_DIR}/sequence51.txt --fit beta)
expect_run(2 "observed file: Data import failed. Please check your data file and try again.\nLine 9: the elevation (field 6) \"nan\" is not a number." ${INPUT}
           --observed ${WORK_DIR}/nan.txt --fit beta)
expect_run(2 "Line 9: the elevation (field 6) \"\" is not a number." ${INPUT}
           --observed ${WORK_DIR}/empty.txt --fit beta)
# A value whose square overflows the sum of squares is refused by name.
expect_run(2 "the observed elevation of point 0, 1E+308, is too large: its square would overflow the sum of squares" ${INPUT}
           --observed ${WORK_DIR}/huge.txt --fit beta)
expect_run(2 "unknown parameter \"delta\" in --fit" ${INPUT} --observed ${after} --fit alpha,delta)
expect_run(2 "--bounds \"beta=0.1:0.01\": LO must be below HI" ${INPUT} --observed ${after} --fit beta
           --bounds beta=0.1:0.01)
expect_run(2 "--bounds \"alpha=-1:3\" leaves the range where runs are defined, 0 to 25 m" ${INPUT}
           --observed ${after} --fit alpha --bounds alpha=-1:3)
expect_run(2 "--fit names beta twice" ${INPUT} --observed ${after} --fit beta,alpha,beta)
expect_run(2 "cover all 40 points: no point is left to compare" ${INPUT} --observed ${after} --fit beta
           --nodes 40)
expect_run(2 "--against must be elevation, pl1, pl2, pl3, upper-mass or total-mass" ${INPUT}
           --observed ${after} --fit beta --against pl4)
expect_run(2 "kolv-fit: --starts must be a whole number, 1 or more" ${INPUT} --observed ${after}
           --fit beta --starts 0)
expect_run(2 "kolv-fit: --bootstrap must be a whole number, 1 or more" ${INPUT} --observed ${after}
           --fit beta --bootstrap 0)
expect_run(2 "kolv-fit: --bootstrap must be a whole number, 1 or more" ${INPUT} --observed ${after}
           --fit beta --bootstrap -3)
expect_run(2 "the bounds of beta leave no start inside them" ${INPUT} --observed ${after} --fit beta
           --bounds beta=0.004:0.004000000000001)
