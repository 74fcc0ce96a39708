# The header-only libraries from Debian: CLI11 for the command line (libcli11-dev),
# {fmt} for writing numbers (libfmt-dev, used header-only so that every build, the
# static, Windows and browser ones included, compiles the same code) and fast_float
# for reading them (libfast-float-dev). A cross build must not search the host's
# /usr/include as a whole, so each is seen through a link to its own folder in the
# build folder.
set(zelm_headers_dir "${CMAKE_BINARY_DIR}/header-libraries")
file(MAKE_DIRECTORY "${zelm_headers_dir}")

function(zelm_header_library target folder header package)
    find_path(${target}_INCLUDE_DIR ${folder}/${header} PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH)
    if(NOT ${target}_INCLUDE_DIR)
        message(FATAL_ERROR "${folder}/${header} not found: install ${package} (cmake/install-build-deps.sh does)")
    endif()
    file(CREATE_LINK "${${target}_INCLUDE_DIR}/${folder}" "${zelm_headers_dir}/${folder}" SYMBOLIC)
    add_library(${target} INTERFACE)
    target_include_directories(${target} SYSTEM INTERFACE "${zelm_headers_dir}")
endfunction()

zelm_header_library(zelm_cli11 CLI CLI.hpp libcli11-dev)
zelm_header_library(zelm_fmt fmt format.h libfmt-dev)
target_compile_definitions(zelm_fmt INTERFACE FMT_HEADER_ONLY)
if(EMSCRIPTEN)
    # Nothing is formatted after a locale (no "L" in any format), and without this {fmt}
    # reaches for std::locale, which brings every facet of the C++ library into the page.
    target_compile_definitions(zelm_fmt INTERFACE FMT_STATIC_THOUSANDS_SEPARATOR=',')
endif()
zelm_header_library(zelm_fast_float fast_float fast_float.h libfast-float-dev)
