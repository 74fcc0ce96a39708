# What LibreOffice Calc shows of the two files a case left, against calc.expected and
# workbook.expected. Calc opens the result file as a user is told to import it (TAB,
# Windows-1252, and a Catalan locale so that a decimal comma makes a number) and the
# workbook directly, each in a profile of its own, and saves each as a flat OpenDocument
# sheet, which is flattened to one line per table row: cells joined by |, a number as
# f:<value>, text as s:<text>, empty cells at the end dropped.
# Included by run_case.cmake, with SOFFICE, RESULT, WORKBOOK, WORK_DIR and CASE_DIR set.
function(shown_in_calc name filter shown_as)
    execute_process(COMMAND "${SOFFICE}" --headless --norestore "-env:UserInstallation=file://${WORK_DIR}-calc/profile"
                            ${filter} --convert-to fods --outdir "${WORK_DIR}-calc/${shown_as}" "${WORK_DIR}/${name}"
                    OUTPUT_VARIABLE log ERROR_VARIABLE log)
    file(GLOB table "${WORK_DIR}-calc/${shown_as}/*.fods")
    if(NOT table)
        message(FATAL_ERROR "LibreOffice could not open ${name}:\n${log}")
    endif()
    file(READ "${table}" xml)
    # The sheet's table alone (the chart carries a table of its own), without the
    # white space between its tags.
    string(REGEX REPLACE "<draw:frame.*</draw:frame>" "" xml "${xml}")
    string(REGEX REPLACE ".*<table:table [^>]*>(.*)</table:table>.*" "\\1" xml "${xml}")
    string(REGEX REPLACE ">[ \t\r\n]+<" "><" xml "${xml}")
    # Equal neighbouring cells, which Calc writes once with a count (an angle and its
    # confirmed angle), written out when they are two or three.
    foreach(count 3 2)
        math(EXPR more "${count} - 1")
        string(REPEAT "</table:table-cell><table:table-cell\\1\\2>" ${more} copies)
        string(REGEX REPLACE "<table:table-cell([^>]*) table:number-columns-repeated=\"${count}\"([^>]*)>"
               "<table:table-cell\\1\\2>${copies}" xml "${xml}")
    endforeach()
    # Each cell as |f:<number>, |s:<text> or | alone, each row ended by a line break.
    string(REGEX REPLACE "<table:table-cell[^>]* office:value=\"([^\"]*)\"[^>]*>(<text:p>[^<]*</text:p>)?" "|f:\\1" xml "${xml}")
    string(REGEX REPLACE "<table:table-cell[^>]*><text:p>([^<]*)</text:p>" "|s:\\1" xml "${xml}")
    string(REGEX REPLACE "<table:table-cell[^>]*/>" "|" xml "${xml}")
    string(REGEX REPLACE "</table:table-row>" "\n" xml "${xml}")
    string(REGEX REPLACE "<[^>]*>" "" shown "${xml}")
    # No | before a row's first cell nor after its last; no empty rows at the end.
    string(STRIP "${shown}" shown)
    string(REGEX REPLACE "[|]*\n[|]?" "\n" shown "\n${shown}\n")
    string(REGEX REPLACE "^\n|\n+$" "" shown "${shown}")
    string(REPLACE "&apos;" "'" shown "${shown}\n")
    string(REPLACE "&amp;" "&" shown "${shown}")
    file(READ "${CASE_DIR}/${shown_as}.expected" expected)
    if(NOT shown STREQUAL expected)
        file(WRITE "${WORK_DIR}-calc/${shown_as}.shown" "${shown}")
        message(FATAL_ERROR "Calc shows ${name} as (${WORK_DIR}-calc/${shown_as}.shown):\n${shown}\nexpected:\n${expected}")
    endif()
endfunction()

shown_in_calc("${RESULT}" "--infilter=Text - txt - csv (StarCalc):9,34,1,1,,1027" calc)
shown_in_calc("${WORKBOOK}" "" workbook)
