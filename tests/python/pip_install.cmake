# A fresh clone of the tree, a virtual environment over Debian's Python, and pip installing
# the module from the clone with the system's build tools, offline: in a network
# namespace with no network at all where unshare can make one, from no index otherwise.
# Then the module imports from another folder and answers.
#   cmake -DSOURCE_DIR=<tree> -DWORK_DIR=<dir> -DPYTHON=<python3> -P pip_install.cmake
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}/elsewhere")
function(run folder)  # its output shown as well as kept; a failure ends the test
    execute_process(COMMAND ${ARGN} WORKING_DIRECTORY "${folder}" OUTPUT_VARIABLE out ERROR_VARIABLE out
                    ECHO_OUTPUT_VARIABLE ECHO_ERROR_VARIABLE COMMAND_ERROR_IS_FATAL ANY)
    set(out "${out}" PARENT_SCOPE)
endfunction()
run("${WORK_DIR}" git clone --quiet "${SOURCE_DIR}" clone)
run("${WORK_DIR}/clone" "${PYTHON}" -m venv --system-site-packages .venv)
execute_process(COMMAND unshare -n true RESULT_VARIABLE no_namespace OUTPUT_QUIET ERROR_QUIET)
if(no_namespace EQUAL 0)
    run("${WORK_DIR}/clone" unshare -n .venv/bin/pip install --no-build-isolation .)
else()
    run("${WORK_DIR}/clone" .venv/bin/pip install --no-build-isolation --no-index .)
endif()
run("${WORK_DIR}/elsewhere" "${WORK_DIR}/clone/.venv/bin/python" -c "print(__import__('zelm_fs').slope_angle(30, 2, 2.5, 20, 1.5))")
if(NOT out STREQUAL "30.595018\n")
    message(FATAL_ERROR "the installed module answers ${out}")
endif()
file(REMOVE_RECURSE "${WORK_DIR}")
