# Runs the built calculator on one end-to-end case, in a fresh folder, with the case's
# entries piped on standard input, and checks the result file byte for byte.
#
#   cmake -DPROGRAM=<exe> [-DEMULATOR=<runner>] -DCASE_DIR=<dir> -DWORK_DIR=<dir> -P run_case.cmake
#
# A case folder holds:
#   stdin          the entries typed at the console
#   expected.xls   the result file the run must leave (absent: the run must leave none,
#                  or leave before.xls unchanged when that is given)
#   before.xls     an earlier result file, in place before the run
#   stdout         the console output expected (line ends compared as LF)
#   case.cmake     settings: EXIT_CODE (default 0), STDERR_REGEX (default: stderr
#                  empty), RESULT_IS_FOLDER (a folder stands where the file goes),
#                  SHELL_PREFIX (a POSIX shell snippet that ends in `exec "$0"`,
#                  for limits and folders that only a shell can arrange)
cmake_minimum_required(VERSION 3.25)

set(EXIT_CODE 0)
set(STDERR_REGEX "")
set(RESULT_IS_FOLDER OFF)
set(SHELL_PREFIX "")
if(EXISTS "${CASE_DIR}/case.cmake")
    include("${CASE_DIR}/case.cmake")
endif()

set(result "${WORK_DIR}/ZELM_FS_result.xls")
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
if(EXISTS "${CASE_DIR}/before.xls")
    file(COPY_FILE "${CASE_DIR}/before.xls" "${result}")
endif()
if(RESULT_IS_FOLDER)
    file(MAKE_DIRECTORY "${result}")
endif()

set(command ${EMULATOR} "${PROGRAM}")
if(SHELL_PREFIX)
    set(command sh -c "${SHELL_PREFIX}" ${command})
endif()
execute_process(
    COMMAND ${command}
    WORKING_DIRECTORY "${WORK_DIR}"
    INPUT_FILE "${CASE_DIR}/stdin"
    OUTPUT_VARIABLE out
    ERROR_VARIABLE err
    RESULT_VARIABLE status)

set(failures "")
if(NOT "${status}" STREQUAL "${EXIT_CODE}")
    string(APPEND failures "exit status ${status}, expected ${EXIT_CODE}\n")
endif()

# Console output on Windows ends its lines with CR LF.
string(REPLACE "\r\n" "\n" out "${out}")
string(REPLACE "\r\n" "\n" err "${err}")
if(EXISTS "${CASE_DIR}/stdout")
    file(READ "${CASE_DIR}/stdout" expected_out)
    if(NOT "${out}" STREQUAL "${expected_out}")
        string(APPEND failures "standard output differs:\n---\n${out}\n--- expected\n${expected_out}\n")
    endif()
endif()
if(STDERR_REGEX STREQUAL "")
    if(NOT "${err}" STREQUAL "")
        string(APPEND failures "unexpected standard error: ${err}\n")
    endif()
else()
    string(REGEX MATCHALL "\n" lines "${err}")
    list(LENGTH lines line_count)
    if(NOT err MATCHES "${STDERR_REGEX}" OR NOT line_count EQUAL 1)
        string(APPEND failures "standard error should be one line matching '${STDERR_REGEX}': ${err}\n")
    endif()
endif()

if(EXISTS "${CASE_DIR}/expected.xls")
    set(expected_file "${CASE_DIR}/expected.xls")
elseif(EXISTS "${CASE_DIR}/before.xls")
    set(expected_file "${CASE_DIR}/before.xls")
else()
    set(expected_file "")
endif()
if(RESULT_IS_FOLDER)
    if(NOT IS_DIRECTORY "${result}")
        string(APPEND failures "the folder standing at the result's place is gone\n")
    endif()
elseif(expected_file STREQUAL "")
    if(EXISTS "${result}")
        string(APPEND failures "a result file was written\n")
    endif()
elseif(NOT EXISTS "${result}")
    string(APPEND failures "no result file\n")
else()
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${result}" "${expected_file}"
                    RESULT_VARIABLE differs)
    if(differs)
        string(APPEND failures "the result file differs from ${expected_file}\n")
    endif()
endif()

file(GLOB leftovers "${WORK_DIR}/*.tmp")
if(leftovers)
    string(APPEND failures "temporary files left behind: ${leftovers}\n")
endif()

if(failures)
    message(FATAL_ERROR "case ${CASE_DIR}:\n${failures}")
endif()
