# Puts a python3 that imports nothing first on PATH, as another installation without numpy
# would be, and checks that the module's interpreter is found past it.
#   cmake -DWORK_DIR=<dir> -DFINDER=<cmake/python.cmake> -P finds_python.cmake
file(REMOVE_RECURSE "${WORK_DIR}")
file(WRITE "${WORK_DIR}/python3" "#!/bin/sh\necho 'ModuleNotFoundError: No module named numpy' >&2\nexit 1\n")
file(CHMOD "${WORK_DIR}/python3" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
set(ENV{PATH} "${WORK_DIR}:$ENV{PATH}")

include("${FINDER}")
zelm_find_python(found)
execute_process(COMMAND "${found}" -c "import numpy, pytest" RESULT_VARIABLE status)  # as the stand-in cannot
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${found} was taken, though it cannot import numpy and pytest")
endif()
