# The workbook a case left, read from its XML. Every workbook: the header (and the run's
# warnings, between its values and the column titles) frozen above the rows, the column titles repeated on every printed page, and beside the table (one column clear of its last) a
# chart of the angle (column D) against H (column A) whose series end on the sheet's
# last row, placed below the titles, H from 0 and the angle from 0 to 90. A case with a
# folder workbook/ (the traced run's) holds parts of the workbook as the program must
# write them, byte for byte, on every platform (everything but the time it was made, in
# docProps/core.xml),
# where the program is built with the libxlsxwriter built here (WORKBOOK_PARTS). Included by run_case.cmake once the
# workbook is known to be there, it adds to its failures; run alone with -P (on the page's workbook), it fails with them.
set(unzipped "${WORK_DIR}-calc/parts")
file(MAKE_DIRECTORY "${unzipped}")
file(COPY_FILE "${WORK_DIR}/${WORKBOOK}" "${WORK_DIR}-calc/workbook.zip")  # a name tar can open
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ../workbook.zip WORKING_DIRECTORY "${unzipped}")

set(parts "")
if(WORKBOOK_PARTS)
    file(GLOB_RECURSE parts RELATIVE "${CASE_DIR}/workbook" "${CASE_DIR}/workbook/*")
endif()
foreach(part IN LISTS parts)
    if(part STREQUAL "docProps/core.xml")  # the document's properties, the time it was made aside
        file(READ "${unzipped}/${part}" written)
        file(READ "${CASE_DIR}/workbook/${part}" wanted)
        set(made "(<dcterms:(created|modified)[^>]*>)[^<]*")
        string(REGEX REPLACE "${made}" "\\1" written "${written}")
        string(REGEX REPLACE "${made}" "\\1" wanted "${wanted}")
        set(differs 0)
        if(NOT written STREQUAL wanted)
            set(differs 1)
        endif()
    else()
        execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${unzipped}/${part}" "${CASE_DIR}/workbook/${part}"
                        RESULT_VARIABLE differs)
    endif()
    if(differs)
        string(APPEND failures "the workbook's ${part} differs from ${CASE_DIR}/workbook/${part}\n")
    endif()
endforeach()

file(READ "${unzipped}/xl/worksheets/sheet1.xml" sheet LIMIT 8000)  # what comes before the rows
file(READ "${unzipped}/xl/workbook.xml" book)
string(REGEX MATCH "<dimension ref=\"A1:([A-Z])([0-9]+)\"" _ "${sheet}")
string(FIND "ABCDEFGHIJKLMNOPQRSTUVWXYZ" "${CMAKE_MATCH_1}" last_column)
math(EXPR chart_column "${last_column} + 2")  # one column clear of the table
set(last_row "${CMAKE_MATCH_2}")
string(REGEX MATCH "<row r=\"([0-9]+)\"><c r=\"A[0-9]+\" s=\"[0-9]+\" t=\"inlineStr\"><is><t>H [(]m[)]<" _ "${sheet}")
set(titles "${CMAKE_MATCH_1}")  # the row of the column titles: 8, below the warnings if any
math(EXPR first_row "${titles} + 1")
function(expect part pattern what)
    if(NOT "${${part}}" MATCHES "${pattern}")
        set(failures "${failures}the workbook's ${what} is not as it should be:\n${${part}}\n" PARENT_SCOPE)
    endif()
endfunction()
expect(sheet "<pane ySplit=\"${titles}\" topLeftCell=\"A${first_row}\"[^>]*state=\"frozen\"" "header, frozen above the rows,")
expect(book "_xlnm.Print_Titles[^>]*>'ABAC 1'!.${titles}:.${titles}<" "column titles, repeated on every page,")
if(EXISTS "${unzipped}/xl/charts/chart1.xml")
    file(READ "${unzipped}/xl/drawings/drawing1.xml" drawing)
    file(READ "${unzipped}/xl/charts/chart1.xml" chart)
    expect(drawing "<xdr:from><xdr:col>${chart_column}</xdr:col><xdr:colOff>0</xdr:colOff><xdr:row>${titles}</xdr:row>"
           "chart, beside the table and below the titles,")
    expect(chart "xVal.*!.A.(${first_row}:.A.)?${last_row}<.*yVal.*!.D.(${first_row}:.D.)?${last_row}<"
       "chart of the angle against H")
    expect(chart "(<c:max val=\"[0-9.]+\"/><c:min val=\"0\"/>|<c:max val=\"0\"/><c:min val=\"-[0-9.]+\"/>)</c:scaling><c:axPos val=\"b\"/>.*<c:max val=\"90\"/><c:min val=\"0\"/>"
           "chart's axes, H from 0 to the last height (from it to 0 below 0) and the angle from 0 to 90,")
endif()
# A decimal number (no exponent) of more than 15 significant digits rounded to 15: the
# libxlsxwriter built here writes a double's shortest form (0.063895), Debian's its 16
# digits (0.06389499999999999), the same number.
function(fifteen_digits number out)
    set(${out} "${number}" PARENT_SCOPE)
    if(NOT number MATCHES "^([0-9]+)[.]([0-9]+)$")
        return()
    endif()
    string(LENGTH "${CMAKE_MATCH_1}" point)
    set(digits "${CMAKE_MATCH_1}${CMAKE_MATCH_2}")
    string(REGEX MATCH "^0+" zeros "${digits}")
    string(LENGTH "${zeros}" leading)
    string(LENGTH "${digits}" length)
    math(EXPR dropped "${length} - ${leading} - 15")
    if(dropped LESS_EQUAL 0)
        return()
    endif()
    string(SUBSTRING "${digits}" ${leading} 15 head)
    math(EXPR next "${leading} + 15")
    string(SUBSTRING "${digits}" ${next} 1 next)
    string(REGEX REPLACE "^0+([0-9])" "\\1" head "${head}")  # no octal for math()
    if(next GREATER_EQUAL 5)
        math(EXPR head "${head} + 1")
    endif()
    if(head STREQUAL "1000000000000000")  # carried into one more digit
        if(leading GREATER 0)
            math(EXPR leading "${leading} - 1")
        else()
            math(EXPR point "${point} + 1")
        endif()
    endif()
    string(REPEAT "0" ${leading} before)
    string(REPEAT "0" ${dropped} after)
    set(digits "${before}${head}${after}")
    string(SUBSTRING "${digits}" 0 ${point} whole)
    string(SUBSTRING "${digits}" ${point} -1 part)
    string(REGEX REPLACE "0+$" "" part "${part}")
    string(REGEX REPLACE "^0+([0-9])" "\\1" whole "${whole}")
    if(part STREQUAL "")
        set(${out} "${whole}" PARENT_SCOPE)
    else()
        set(${out} "${whole}.${part}" PARENT_SCOPE)
    endif()
endfunction()

# A case with a file sheet.expected holds the sheet's cells, one line a row: each cell by
# its reference, a number as written (to 15 significant digits), a text in quotes.
if(EXISTS "${CASE_DIR}/sheet.expected")
    file(READ "${unzipped}/xl/worksheets/sheet1.xml" cells)
    string(REGEX REPLACE ".*<sheetData>(.*)</sheetData>.*" "\\1" cells "${cells}")
    string(REGEX REPLACE "<c r=\"([A-Z]+[0-9]+)\"[^>]*><v>([^<]*)</v></c>" " \\1=\\2" cells "${cells}")
    string(REGEX REPLACE "<c r=\"([A-Z]+[0-9]+)\"[^>]*><is><t[^>]*>([^<]*)</t></is></c>" " \\1='\\2'" cells "${cells}")
    string(REGEX REPLACE "</row>" "\n" cells "${cells}")
    string(REGEX REPLACE "<[^>]*> ?" "" cells "${cells}")
    string(REPLACE "&lt;" "<" cells "${cells}")
    string(REPLACE "&amp;" "&" cells "${cells}")
    string(REGEX MATCHALL "=[0-9]+[.][0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9]+" long "${cells}")
    foreach(number IN LISTS long)
        string(SUBSTRING "${number}" 1 -1 number)
        fifteen_digits("${number}" short)
        string(REPLACE "=${number}" "=${short}" cells "${cells}")
    endforeach()
    file(READ "${CASE_DIR}/sheet.expected" expected_cells)
    if(NOT cells STREQUAL expected_cells)
        file(WRITE "${WORK_DIR}-calc/sheet.written" "${cells}")
        string(APPEND failures "the workbook's cells differ from ${CASE_DIR}/sheet.expected (${WORK_DIR}-calc/sheet.written):\n${cells}\n")
    endif()
endif()
if(failures AND CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
    message(FATAL_ERROR "${failures}")
endif()
