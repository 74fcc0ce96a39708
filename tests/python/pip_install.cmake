# A fresh copy of the source tree, a virtual environment over Debian's Python, and pip
# installing the module from the copy with the system's build tools, offline: in a
# network namespace of its own with no network at all, where unshare can make one, and
# from no index otherwise. Then the module imports from another folder and answers.
#   cmake -DSOURCE_DIR=<tree> -DWORK_DIR=<dir> -DPYTHON=<python3> -P pip_install.cmake
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}/elsewhere")
execute_process(COMMAND git -C "${SOURCE_DIR}" ls-files --cached --others --exclude-standard
                OUTPUT_VARIABLE files RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "git cannot list the files of ${SOURCE_DIR}")
endif()
string(REPLACE "\n" ";" files "${files}")
foreach(file IN LISTS files)
    if(EXISTS "${SOURCE_DIR}/${file}" AND NOT IS_DIRECTORY "${SOURCE_DIR}/${file}")
        get_filename_component(folder "${WORK_DIR}/clone/${file}" DIRECTORY)
        file(COPY "${SOURCE_DIR}/${file}" DESTINATION "${folder}")
    endif()
endforeach()

function(run)
    execute_process(COMMAND ${ARGN} WORKING_DIRECTORY "${WORK_DIR}/clone" RESULT_VARIABLE status
                    OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${ARGN}:\n${out}")
    endif()
endfunction()
run("${PYTHON}" -m venv --system-site-packages .venv)
execute_process(COMMAND unshare -n true RESULT_VARIABLE no_namespace OUTPUT_QUIET ERROR_QUIET)
if(no_namespace EQUAL 0)
    run(unshare -n .venv/bin/pip install --no-build-isolation .)
else()
    run(.venv/bin/pip install --no-build-isolation --no-index .)
endif()
execute_process(COMMAND "${WORK_DIR}/clone/.venv/bin/python" -c "import zelm_fs; print(zelm_fs.slope_angle(30, 2, 2.5, 20, 1.5))"
                WORKING_DIRECTORY "${WORK_DIR}/elsewhere" RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0 OR NOT out STREQUAL "30.595018\n")
    message(FATAL_ERROR "the installed module does not answer from another folder:\n${out}")
endif()
file(REMOVE_RECURSE "${WORK_DIR}")
