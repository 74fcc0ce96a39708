# The Python the module is built for and tested with: the first python3 on PATH that
# imports numpy and pytest (Debian's /usr/bin/python3 once python3-numpy and
# python3-pytest are installed), passing over any other installation that comes first
# on PATH without them. One given as Python3_EXECUTABLE (scikit-build gives its own) is
# taken as it is.
#
#   zelm_find_python(VARIABLE)   sets VARIABLE to the interpreter, or fails

function(zelm_python_has_numpy_and_pytest result candidate)
    execute_process(COMMAND "${candidate}" -c "import numpy, pytest"
                    RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
    if(NOT status EQUAL 0)
        set(${result} FALSE PARENT_SCOPE)
    endif()
endfunction()

function(zelm_find_python variable)
    if(Python3_EXECUTABLE)
        set(${variable} "${Python3_EXECUTABLE}" PARENT_SCOPE)
        return()
    endif()
    find_program(ZELM_PYTHON3 NAMES python3 NAMES_PER_DIR VALIDATOR zelm_python_has_numpy_and_pytest
                 DOC "The Python the module is built for: one that imports numpy and pytest")
    if(NOT ZELM_PYTHON3)
        message(FATAL_ERROR "No python3 on PATH imports numpy and pytest: install python3-numpy and "
                            "python3-pytest (cmake/install-build-deps.sh --python does), or name one "
                            "with -DPython3_EXECUTABLE=...")
    endif()
    set(${variable} "${ZELM_PYTHON3}" PARENT_SCOPE)
endfunction()
