# CLI11, the command-line parser: header-only, from Debian's libcli11-dev. A cross build
# must not search the host's /usr/include as a whole, so it sees the CLI/ folder alone
# through a link in the build folder.
find_path(CLI11_INCLUDE_DIR CLI/CLI.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH)
if(NOT CLI11_INCLUDE_DIR)
    message(FATAL_ERROR "CLI11 not found: install libcli11-dev (cmake/install-build-deps.sh does)")
endif()
set(cli11_dir "${CMAKE_BINARY_DIR}/cli11")
file(MAKE_DIRECTORY "${cli11_dir}")
file(CREATE_LINK "${CLI11_INCLUDE_DIR}/CLI" "${cli11_dir}/CLI" SYMBOLIC)
add_library(zelm_cli11 INTERFACE)
target_include_directories(zelm_cli11 SYSTEM INTERFACE "${cli11_dir}")
