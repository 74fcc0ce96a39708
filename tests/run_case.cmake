# Runs the built calculator on one case, in a fresh folder, and checks what it leaves:
# exit status, standard output and error, the result file and the workbook, and that
# nothing else is left behind (no temporary file, no folder it made).
#
#   cmake -DPROGRAM=<exe> [-DEMULATOR="<runner> <its arguments>"] -DCASE_DIR=<dir> -DWORK_DIR=<dir>
#         -DMODE=dialogue|arguments [-DARG_LINE=<arguments>] [-DEXIT_CODE=n] [-DSTDERR_REGEX=re]
#         [-DSTDERR_LINES=n] [-DSTDOUT=<what standard output holds, with arguments>]
#         [-DSOFFICE=<soffice>: LibreOffice reads the files back] -P run_case.cmake
#
# A case folder holds:
#   values        the six entries: typed at the console, or given as arguments
#   stdin         what is typed at the console (dialogue only)
#   args          the arguments (arguments only)
#   stdout        the console output expected in the dialogue (LF line ends); with
#                 arguments, standard output must stay empty
#   expected.xls  the result file the run leaves, byte for byte
#   before.xls    a result file in place before the run, which must stay as it was
#                 unless the run writes a new one; before.xlsx: the same for the workbook
#   case          settings, one per line as NAME VALUE:
#     EXIT_CODE       the exit status (0)
#     STDERR_REGEX    what standard error says (nothing: it stays empty), in
#     STDERR_LINES    this many lines (1)
#     OPTIONS         options before the values, in both modes
#     RESULT          where the result file goes (ZELM_FS_result.xls)
#     WORKBOOK        where the workbook goes, when one is asked for
#     RESULT_WRITTEN  ON: a new result file is there; what it holds is another case's
#     WORKBOOK_WRITTEN  the same for the workbook
#     SAME_AS         a case (from tests/) whose expected.xls this run's result file equals
#     FOLDERS         folders made before the run
#     SHELL           a sh script that runs the program as "$0" "$@", for what only a
#                     shell can arrange (links, limits, signals, pipes); its status 77
#                     means it could not, and the test is skipped
#     PRINTED_PAGES   the pages the workbook prints on (print_workbook.cmake)
#   calc.expected, workbook.expected  what LibreOffice Calc shows of the two files
#                 (read_in_calc.cmake)
cmake_minimum_required(VERSION 3.25)

set(RESULT ZELM_FS_result.xls)
if(NOT DEFINED EXIT_CODE)
    set(EXIT_CODE 0)
endif()
if(NOT DEFINED STDERR_LINES)
    set(STDERR_LINES 1)
endif()
if(EXISTS "${CASE_DIR}/case")
    file(STRINGS "${CASE_DIR}/case" settings REGEX "^[A-Z_]+ " ENCODING UTF-8)
    foreach(setting IN LISTS settings)
        string(REGEX MATCH "^([A-Z_]+) (.*)$" _ "${setting}")
        set(${CMAKE_MATCH_1} "${CMAKE_MATCH_2}")
    endforeach()
endif()
set(expected_result "${CASE_DIR}/expected.xls")
if(SAME_AS)
    set(expected_result "${CMAKE_CURRENT_LIST_DIR}/${SAME_AS}/expected.xls")
endif()
if(SOFFICE)  # Calc opens the workbook too
    list(PREPEND OPTIONS -w)
    string(REGEX REPLACE "[.][^.]*$" ".xlsx" WORKBOOK "${RESULT}")
    set(WORKBOOK_WRITTEN ON)
endif()

# A fresh folder, with what the case puts there before the run.
file(REMOVE_RECURSE "${WORK_DIR}" "${WORK_DIR}-calc")
list(TRANSFORM FOLDERS PREPEND "${WORK_DIR}/" OUTPUT_VARIABLE folders)
file(MAKE_DIRECTORY "${WORK_DIR}" ${folders})
set(kept ${FOLDERS})
if(EXISTS "${CASE_DIR}/before.xls")
    file(COPY_FILE "${CASE_DIR}/before.xls" "${WORK_DIR}/${RESULT}")
endif()
if(WORKBOOK AND EXISTS "${CASE_DIR}/before.xlsx")
    file(COPY_FILE "${CASE_DIR}/before.xlsx" "${WORK_DIR}/${WORKBOOK}")
endif()

# The run.
set(input "")
if(MODE STREQUAL "dialogue")
    file(GLOB input "${CASE_DIR}/stdin" "${CASE_DIR}/values")
    set(input INPUT_FILE ${input})
elseif(NOT DEFINED ARG_LINE)
    file(GLOB arguments "${CASE_DIR}/values" "${CASE_DIR}/args")
    file(READ ${arguments} ARG_LINE)
endif()
separate_arguments(OPTIONS UNIX_COMMAND "${OPTIONS}")
separate_arguments(EMULATOR UNIX_COMMAND "${EMULATOR}")
separate_arguments(ARGS UNIX_COMMAND "${ARG_LINE}")
set(command ${EMULATOR} "${PROGRAM}" ${OPTIONS} ${ARGS})
if(SHELL)
    string(REPLACE ";" "\\;" SHELL "${SHELL}")  # one argument, semicolons and all
    set(command sh -c "${SHELL}" ${command})
endif()
execute_process(COMMAND ${command} WORKING_DIRECTORY "${WORK_DIR}" ${input}
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)

# A shell that cannot arrange what the case needs (a file system without immutable
# files, say) answers 77: the test is skipped, not passed.
if(SHELL AND "${status}" STREQUAL "77")
    message("skipped: the case's shell could not set the case up")
    return()
endif()

# What it said.
set(failures "")
if(NOT "${status}" STREQUAL "${EXIT_CODE}")
    string(APPEND failures "exit status ${status}, expected ${EXIT_CODE}; standard output:\n---\n${out}\n---\n")
endif()
string(REPLACE "\r\n" "\n" out "${out}")  # the Windows console's line ends
string(REPLACE "\r\n" "\n" err "${err}")
set(expected_out "${STDOUT}")
if(MODE STREQUAL "dialogue" AND EXISTS "${CASE_DIR}/stdout")
    file(READ "${CASE_DIR}/stdout" expected_out)
endif()
if((MODE STREQUAL "arguments" OR EXISTS "${CASE_DIR}/stdout") AND NOT out STREQUAL expected_out)
    string(APPEND failures "standard output differs:\n---\n${out}\n--- expected\n${expected_out}\n")
endif()
string(REGEX MATCHALL "\n" lines "${err}")
list(LENGTH lines line_count)
if(STDERR_REGEX AND NOT ("${err}" MATCHES "${STDERR_REGEX}" AND line_count EQUAL STDERR_LINES))
    string(APPEND failures "standard error should be ${STDERR_LINES} line(s) matching '${STDERR_REGEX}': ${err}\n")
elseif(NOT STDERR_REGEX AND NOT err STREQUAL "")
    string(APPEND failures "standard error should be empty: ${err}\n")
endif()

# What it left: each file as expected, new, or as it was, and nothing else.
function(check_file name expected before written)
    set(file "${WORK_DIR}/${name}")
    if(EXISTS "${expected}" OR written OR EXISTS "${before}")  # a file the case leaves there
        set(kept ${kept} "${name}" PARENT_SCOPE)
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${file}" "${expected}" RESULT_VARIABLE differs)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${file}" "${before}" RESULT_VARIABLE changed)
    if(EXISTS "${expected}" AND differs)
        set(failures "${failures}${name} is missing or differs from ${expected}\n" PARENT_SCOPE)
    elseif(NOT EXISTS "${expected}" AND written AND (NOT EXISTS "${file}" OR IS_DIRECTORY "${file}" OR NOT changed))
        set(failures "${failures}${name} is not a new file\n" PARENT_SCOPE)
    elseif(NOT EXISTS "${expected}" AND NOT written AND EXISTS "${before}" AND changed)
        set(failures "${failures}${name} was there before the run and is gone or changed\n" PARENT_SCOPE)
    endif()
endfunction()
check_file("${RESULT}" "${expected_result}" "${CASE_DIR}/before.xls" "${RESULT_WRITTEN}")
if(WORKBOOK)
    check_file("${WORKBOOK}" "" "${CASE_DIR}/before.xlsx" "${WORKBOOK_WRITTEN}")
    if(WORKBOOK_WRITTEN)
        include("${CMAKE_CURRENT_LIST_DIR}/check_workbook_layout.cmake")
    endif()
endif()
file(GLOB_RECURSE left RELATIVE "${WORK_DIR}" LIST_DIRECTORIES true "${WORK_DIR}/*")
list(REMOVE_ITEM left ${kept})
if(left)
    string(APPEND failures "left behind: ${left}\n")
endif()
if(failures)
    message(FATAL_ERROR "case ${CASE_DIR} (${MODE} ${ARGS}):\n${failures}")
endif()

if(SOFFICE AND EXISTS "${CASE_DIR}/calc.expected")
    include("${CMAKE_CURRENT_LIST_DIR}/read_in_calc.cmake")
endif()
if(SOFFICE AND PRINTED_PAGES)
    include("${CMAKE_CURRENT_LIST_DIR}/print_workbook.cmake")
endif()
