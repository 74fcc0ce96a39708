# Unpacks the Debian package into a fresh folder, checks that it holds the manual page,
# and runs the unpacked program on one end-to-end case.
#
#   cmake -DDPKG_DEB=<dpkg-deb> -DDEB_GLOB=<pattern> -DCASE_DIR=<dir> -DWORK_DIR=<dir>
#         -DRUN_CASE=<run_case.cmake> -P unpack_and_run.cmake
file(GLOB debs "${DEB_GLOB}")
list(LENGTH debs count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one package matching ${DEB_GLOB}, found: '${debs}' (run cpack first)")
endif()
set(root "${WORK_DIR}/root")
file(REMOVE_RECURSE "${root}")
file(MAKE_DIRECTORY "${root}")
execute_process(COMMAND "${DPKG_DEB}" -x "${debs}" "${root}" RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT EXISTS "${root}/usr/share/man/man1/zelm-fs.1.gz")
    message(FATAL_ERROR "${debs}: dpkg-deb -x gave ${status}, or it holds no usr/share/man/man1/zelm-fs.1.gz")
endif()
set(PROGRAM "${root}/usr/bin/zelm-fs")
set(EMULATOR "")
set(WORK_DIR "${WORK_DIR}/run")
include("${RUN_CASE}")
