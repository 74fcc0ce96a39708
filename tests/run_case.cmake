# Runs the built calculator on one case, in a fresh folder, and checks what it leaves:
# exit status, standard output and error, the result file byte for byte, the workbook,
# and that nothing else is left behind (no temporary file, no folder it made).
#
#   cmake -DPROGRAM=<exe> [-DEMULATOR="<runner> <its arguments>"] -DCASE_DIR=<dir> -DWORK_DIR=<dir>
#         -DMODE=dialogue|arguments [-DARG_LINE=<arguments>] [-DEXIT_CODE=n] [-DSTDERR_REGEX=re]
#         [-DDEB_GLOB=<a .deb>: run the program it installs] [-DSOFFICE=<soffice>] -P run_case.cmake
#
# A case folder holds:
#   values        the six entries: typed at the console, or given as arguments
#   stdin         what is typed at the console (dialogue only)
#   args          the arguments (arguments only)
#   stdout        the console output expected in the dialogue (LF line ends); with
#                 arguments, standard output must stay empty
#   expected.xls  the result file the run leaves
#   before.xls    a result file in place before the run; with no expected.xls it must
#                 be left as it was. before.xlsx: the same for the workbook.
#   case          settings, one per line as NAME VALUE: EXIT_CODE (0), STDERR_REGEX
#                 (none: standard error stays empty), STDERR_LINES (1), OPTIONS (before
#                 the values, in both modes), RESULT (where the result file goes),
#                 WORKBOOK (where the workbook goes, when asked for), RESULT_WRITTEN and
#                 WORKBOOK_WRITTEN (ON: a new one must be there, its content not compared),
#                 FOLDERS (made before the run), SHELL (a sh script that runs the program
#                 as "$0" "$@", for what only a shell can arrange)
#   calc.expected, workbook.expected  what LibreOffice Calc shows of the two files (with
#                 SOFFICE: the run asks for the workbook, and Calc opens both)
cmake_minimum_required(VERSION 3.25)

set(RESULT ZELM_FS_result.xls)
if(NOT DEFINED STDERR_LINES)
    set(STDERR_LINES 1)
endif()
if(NOT DEFINED EXIT_CODE)
    set(EXIT_CODE 0)
endif()
if(EXISTS "${CASE_DIR}/case")
    file(STRINGS "${CASE_DIR}/case" settings REGEX "^[A-Z_]+ " ENCODING UTF-8)
    foreach(setting IN LISTS settings)
        string(REGEX MATCH "^([A-Z_]+) (.*)$" _ "${setting}")
        set(${CMAKE_MATCH_1} "${CMAKE_MATCH_2}")
    endforeach()
endif()
separate_arguments(OPTIONS UNIX_COMMAND "${OPTIONS}")
separate_arguments(EMULATOR UNIX_COMMAND "${EMULATOR}")
if(SOFFICE)
    list(PREPEND OPTIONS -w)
    string(REGEX REPLACE "[.][^.]*$" ".xlsx" WORKBOOK "${RESULT}")
    set(WORKBOOK_WRITTEN ON)
endif()

file(REMOVE_RECURSE "${WORK_DIR}" "${WORK_DIR}-package" "${WORK_DIR}-calc")
file(MAKE_DIRECTORY "${WORK_DIR}")
if(DEB_GLOB)  # the program as the Debian package installs it, beside its manual page
    file(GLOB deb "${DEB_GLOB}")
    execute_process(COMMAND dpkg-deb -x "${deb}" "${WORK_DIR}-package" RESULT_VARIABLE status)
    if(NOT status EQUAL 0 OR NOT EXISTS "${WORK_DIR}-package/usr/share/man/man1/zelm-fs.1.gz")
        message(FATAL_ERROR "no package ${DEB_GLOB} (run cpack first), or no manual page in it")
    endif()
    set(PROGRAM "${WORK_DIR}-package/usr/bin/zelm-fs")
endif()
set(kept ${FOLDERS})
foreach(folder IN LISTS FOLDERS)
    file(MAKE_DIRECTORY "${WORK_DIR}/${folder}")
endforeach()
foreach(file IN ITEMS RESULT WORKBOOK)
    string(TOLOWER "${${file}}" name)
    get_filename_component(${file}_extension "${name}" LAST_EXT)
    if(${file} AND EXISTS "${CASE_DIR}/before${${file}_extension}")
        file(COPY_FILE "${CASE_DIR}/before${${file}_extension}" "${WORK_DIR}/${${file}}")
        list(APPEND kept "${${file}}")
    endif()
endforeach()

set(input "")
if(MODE STREQUAL "dialogue")
    file(GLOB input "${CASE_DIR}/stdin" "${CASE_DIR}/values")
    set(input INPUT_FILE ${input})
elseif(NOT DEFINED ARG_LINE)
    file(GLOB arguments "${CASE_DIR}/values" "${CASE_DIR}/args")
    file(READ ${arguments} ARG_LINE)
endif()
separate_arguments(ARGS UNIX_COMMAND "${ARG_LINE}")
set(command ${EMULATOR} "${PROGRAM}" ${OPTIONS} ${ARGS})
if(SHELL)
    string(REPLACE ";" "\\;" SHELL "${SHELL}")  # one argument, semicolons and all
    set(command sh -c "${SHELL}" ${command})
endif()
execute_process(COMMAND ${command} WORKING_DIRECTORY "${WORK_DIR}" ${input}
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)

set(failures "")
if(NOT "${status}" STREQUAL "${EXIT_CODE}")
    string(APPEND failures "exit status ${status}, expected ${EXIT_CODE}\n")
endif()
string(REPLACE "\r\n" "\n" out "${out}")  # the Windows console's line ends
string(REPLACE "\r\n" "\n" err "${err}")
set(expected_out "")
if(MODE STREQUAL "dialogue" AND EXISTS "${CASE_DIR}/stdout")
    file(READ "${CASE_DIR}/stdout" expected_out)
endif()
if((MODE STREQUAL "arguments" OR EXISTS "${CASE_DIR}/stdout") AND NOT out STREQUAL expected_out)
    string(APPEND failures "standard output differs:\n---\n${out}\n--- expected\n${expected_out}\n")
endif()
string(REGEX MATCHALL "\n" lines "${err}")
list(LENGTH lines line_count)
if(NOT "${err}" MATCHES "${STDERR_REGEX}" OR (STDERR_REGEX AND NOT line_count EQUAL STDERR_LINES) OR
   (NOT STDERR_REGEX AND NOT err STREQUAL ""))
    string(APPEND failures "standard error should be ${STDERR_LINES} line(s) matching '${STDERR_REGEX}': ${err}\n")
endif()

foreach(file IN ITEMS RESULT WORKBOOK)
    set(path "${WORK_DIR}/${${file}}")
    set(expected "${CASE_DIR}/expected${${file}_extension}")
    set(before "${CASE_DIR}/before${${file}_extension}")
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${path}" "${expected}" RESULT_VARIABLE not_expected)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${path}" "${before}" RESULT_VARIABLE not_before)
    if(NOT ${file})
    elseif(EXISTS "${expected}" AND not_expected)
        string(APPEND failures "${${file}} is missing or differs from ${expected}\n")
    elseif(${file}_WRITTEN AND (NOT EXISTS "${path}" OR IS_DIRECTORY "${path}" OR NOT not_before))
        string(APPEND failures "no new ${${file}}\n")
    elseif(NOT ${file}_WRITTEN AND EXISTS "${before}" AND not_before AND not_expected)
        string(APPEND failures "the earlier ${${file}} is gone or changed\n")
    endif()
    if(${file} AND (${file}_WRITTEN OR EXISTS "${expected}"))
        list(APPEND kept "${${file}}")
    endif()
endforeach()
file(GLOB_RECURSE left RELATIVE "${WORK_DIR}" LIST_DIRECTORIES true "${WORK_DIR}/*")
list(REMOVE_ITEM left ${kept})
if(left)
    string(APPEND failures "left behind: ${left}\n")
endif()
# The workbook's layout: the header frozen above the rows, columns wide enough to read,
# and beside the table the chart of the angle (column D) against H (column A).
if(WORKBOOK_WRITTEN AND EXISTS "${WORK_DIR}/${WORKBOOK}")
    file(MAKE_DIRECTORY "${WORK_DIR}-calc")
    file(COPY_FILE "${WORK_DIR}/${WORKBOOK}" "${WORK_DIR}-calc/workbook.zip")  # a name tar can open
    execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf workbook.zip xl/charts/chart1.xml
                            xl/drawings/drawing1.xml xl/worksheets/sheet1.xml WORKING_DIRECTORY "${WORK_DIR}-calc")
    file(READ "${WORK_DIR}-calc/xl/worksheets/sheet1.xml" sheet LIMIT 2000)
    file(READ "${WORK_DIR}-calc/xl/drawings/drawing1.xml" drawing)
    file(READ "${WORK_DIR}-calc/xl/charts/chart1.xml" chart)
    string(REGEX MATCH "<dimension ref=\"A1:[A-Z]([0-9]+)\"" _ "${sheet}")
    set(last_row "${CMAKE_MATCH_1}")  # the last row written, where the chart's series end
    if(NOT sheet MATCHES "<pane ySplit=\"6\" topLeftCell=\"A7\"[^>]*state=\"frozen\".*<col min=\"1\" max=\"1\" width=\"12[.].*<col min=\"2\" max=\"3\" width=\"16[.].*<col min=\"4\" max=\"4\" width=\"8[.]"
       OR NOT drawing MATCHES "<xdr:from><xdr:col>5</xdr:col>.*<xdr:row>6</xdr:row>.*<xdr:to><xdr:col>16</xdr:col>.*<xdr:row>27</xdr:row>"
       OR NOT chart MATCHES "ABAC 1 · FS .*xVal.*!.A.(7:.A.)?${last_row}<.*yVal.*!.D.(7:.D.)?${last_row}<.*H [(]m[)].*angle [(]graus[)]")
        string(APPEND failures "the workbook's layout or chart is not as it should be:\n${sheet}\n${drawing}\n${chart}\n")
    endif()
endif()
if(failures)
    message(FATAL_ERROR "case ${CASE_DIR} (${MODE} ${ARGS}):\n${failures}")
endif()

# Calc opens the result file as a user is told to import it (TAB, Windows-1252, and a
# Catalan locale so that a decimal comma makes a number) and the workbook directly,
# each in a profile of its own. What it shows is written one line per table row: cells
# joined by |, a number as f:<value>, text as s:<text>, empty cells at the end dropped.
# (Calc writes equal neighbouring cells once, with a count: that shows as a difference.)
if(SOFFICE)
    set(calc "${RESULT}" "--infilter=Text - txt - csv (StarCalc):9,34,1,1,,1027")
    set(workbook "${WORKBOOK}")
endif()
foreach(shown_as IN ITEMS calc workbook)
    if(NOT SOFFICE)
        break()
    endif()
    list(POP_FRONT ${shown_as} name)  # and what remains is the import filter
    execute_process(COMMAND "${SOFFICE}" --headless --norestore "-env:UserInstallation=file://${WORK_DIR}-calc/profile"
                            ${${shown_as}} --convert-to fods --outdir "${WORK_DIR}-calc/${shown_as}" "${WORK_DIR}/${name}"
                    OUTPUT_VARIABLE log ERROR_VARIABLE log)
    file(GLOB table "${WORK_DIR}-calc/${shown_as}/*.fods")
    if(NOT table)
        message(FATAL_ERROR "LibreOffice could not open ${name}:\n${log}")
    endif()
    file(READ "${table}" xml)
    string(REGEX REPLACE "<draw:frame.*</draw:frame>" "" xml "${xml}")  # the chart, with a table of its own
    string(REGEX REPLACE ".*<table:table [^>]*>(.*)</table:table>.*" "\\1" xml "${xml}")
    string(REGEX REPLACE ">[ \t\r\n]+<" "><" xml "${xml}")
    string(REGEX REPLACE "<table:table-cell[^>]* office:value=\"([^\"]*)\"[^>]*>(<text:p>[^<]*</text:p>)?" "|f:\\1" xml "${xml}")
    string(REGEX REPLACE "<table:table-cell[^>]*><text:p>([^<]*)</text:p>" "|s:\\1" xml "${xml}")
    string(REGEX REPLACE "<table:table-cell[^>]*/>" "|" xml "${xml}")
    string(REGEX REPLACE "</table:table-row>" "\n" xml "${xml}")
    string(REGEX REPLACE "<[^>]*>" "" shown "${xml}")
    string(STRIP "${shown}" shown)
    string(REGEX REPLACE "[|]*\n[|]?" "\n" shown "\n${shown}\n")  # a | before each cell
    string(REGEX REPLACE "^\n|\n+$" "" shown "${shown}")
    string(REPLACE "&apos;" "'" shown "${shown}\n")
    string(REPLACE "&amp;" "&" shown "${shown}")
    file(READ "${CASE_DIR}/${shown_as}.expected" expected)
    if(NOT shown STREQUAL expected)
        message(FATAL_ERROR "Calc shows ${name} as:\n${shown}\nexpected:\n${expected}")
    endif()
endforeach()
