# The Python the module is built for and tested with: the first python3 on PATH that
# imports numpy and pytest (Debian's /usr/bin/python3 once python3-numpy and
# python3-pytest are installed), passing over any other installation that comes first
# on PATH without them. One given as Python3_EXECUTABLE (scikit-build gives its own) is
# taken as it is.
#
#   zelm_find_python(VARIABLE [QUIET])   sets VARIABLE to the interpreter, or fails
#                                        (with QUIET, sets it empty)
#   zelm_decide_python_module(VARIABLE)  turns AUTO in VARIABLE into ON or OFF

function(zelm_python_has_numpy_and_pytest result candidate)
    execute_process(COMMAND "${candidate}" -c "import numpy, pytest"
                    RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
    if(NOT status EQUAL 0)
        set(${result} FALSE PARENT_SCOPE)
    endif()
endfunction()

function(zelm_find_python variable)
    cmake_parse_arguments(PARSE_ARGV 1 arg "QUIET" "" "")
    if(Python3_EXECUTABLE)
        set(${variable} "${Python3_EXECUTABLE}" PARENT_SCOPE)
        return()
    endif()
    find_program(ZELM_PYTHON3 NAMES python3 NAMES_PER_DIR VALIDATOR zelm_python_has_numpy_and_pytest
                 DOC "The Python the module is built for: one that imports numpy and pytest")
    if(NOT ZELM_PYTHON3 AND arg_QUIET)
        set(${variable} "" PARENT_SCOPE)
        return()
    elseif(NOT ZELM_PYTHON3)
        message(FATAL_ERROR "No python3 on PATH imports numpy and pytest: install python3-numpy and "
                            "python3-pytest (cmake/install-build-deps.sh --python does), or name one "
                            "with -DPython3_EXECUTABLE=...")
    endif()
    set(${variable} "${ZELM_PYTHON3}" PARENT_SCOPE)
endfunction()

# AUTO builds the module where it can be built and loaded: a native build without
# sanitizers (a sanitized module would need its runtime preloaded into Python), with
# pybind11 and such a Python with its headers.
function(zelm_decide_python_module variable)
    if(NOT ${variable} STREQUAL "AUTO")
        return()
    endif()
    set(decision OFF)
    if(NOT CMAKE_CROSSCOMPILING AND NOT CMAKE_CXX_FLAGS MATCHES "-fsanitize")
        zelm_find_python(Python3_EXECUTABLE QUIET)
        if(Python3_EXECUTABLE)
            find_package(Python3 QUIET COMPONENTS Interpreter Development.Module)
        endif()
        if(Python3_Development.Module_FOUND)  # pybind11 then takes this Python
            find_package(pybind11 CONFIG QUIET)
            if(pybind11_FOUND)
                set(decision ON)
            endif()
        endif()
    endif()
    message(STATUS "The Python module zelm_fs: ${decision}")
    set(${variable} ${decision} PARENT_SCOPE)
endfunction()
