# Defines zelm::xlsxwriter, the libxlsxwriter the program writes .xlsx workbooks with.
#
# By default every build, whatever its compiler or target, links the same pinned static
# libxlsxwriter, which cmake/build-xlsxwriter.sh compiles at configure time from
# Debian's source package, with its own minizip, MD5 and temporary-file code inside,
# plus the target's static zlib (for WebAssembly, compiled by the same script from
# Debian's zlib source package): every build then writes the same workbook bytes.
#
# ZELM_SYSTEM_LIBRARIES links Debian's shared libxlsxwriter instead (libxlsxwriter-dev),
# which brings Debian's shared zlib and minizip with it: the build the Debian package
# ships, so that security updates of those libraries reach the program.
#
# The static library is built into this build folder, so that presets with different
# compilers never share one and removing the build folder starts afresh. Only the
# downloaded source is shared, in ZELM_XLSXWRITER_SOURCE_CACHE, so that every preset
# fetches it at most once.

option(ZELM_SYSTEM_LIBRARIES "Link Debian's shared libxlsxwriter and zlib instead of the pinned static build" OFF)
if(ZELM_SYSTEM_LIBRARIES AND CMAKE_CROSSCOMPILING)
    message(FATAL_ERROR "ZELM_SYSTEM_LIBRARIES is for a build on the machine's own Debian libraries, not a cross build")
endif()

set(ZELM_XLSXWRITER_SOURCE_CACHE "${PROJECT_SOURCE_DIR}/build/xlsxwriter-source"
    CACHE PATH "Where Debian's libxlsxwriter source package is downloaded and unpacked for static builds")

# Whether the library is the one built here, with its number-printing option: the
# tests then know every workbook part byte for byte (the system's library prints
# 0.69 as 0.68999999999999995). Its sources.txt tells the notices where its files
# come from.
set(ZELM_XLSXWRITER_BUILT_HERE OFF)
set(ZELM_XLSXWRITER_SOURCES "")
if(NOT ZELM_SYSTEM_LIBRARIES)
    set(ZELM_XLSXWRITER_BUILT_HERE ON)
    set(zelm_xlsxwriter_script "${CMAKE_CURRENT_LIST_DIR}/build-xlsxwriter.sh")
    set(zelm_xlsxwriter_prefix "${CMAKE_BINARY_DIR}/xlsxwriter")
    if(CMAKE_TOOLCHAIN_FILE)
        set(zelm_xlsxwriter_toolchain "${CMAKE_TOOLCHAIN_FILE}")
    else()
        set(zelm_xlsxwriter_toolchain host)
    endif()
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${zelm_xlsxwriter_script}")

    execute_process(
        COMMAND bash "${zelm_xlsxwriter_script}" "${zelm_xlsxwriter_toolchain}"
                "${zelm_xlsxwriter_prefix}" "${ZELM_XLSXWRITER_SOURCE_CACHE}"
        RESULT_VARIABLE zelm_xlsxwriter_result
        ERROR_VARIABLE zelm_xlsxwriter_error
        ERROR_STRIP_TRAILING_WHITESPACE)
    if(NOT zelm_xlsxwriter_result EQUAL 0)
        message(FATAL_ERROR
            "Could not build the static libxlsxwriter: ${zelm_xlsxwriter_error}\n"
            "Install the packages and the deb-src entry it needs with "
            "'cmake/install-build-deps.sh' as root, then configure again.")
    endif()

    # zlib of the target: for WebAssembly the script's own libz.a; elsewhere the system's
    # (zlib1g-dev, or libz-mingw-w64-dev for Windows), which a static program links as
    # libz.a and a shared module, such as the Python module, as the shared library
    # (Debian's libz.a is not position-independent throughout).
    if(EMSCRIPTEN)
        set(ZELM_ZLIB "${zelm_xlsxwriter_prefix}/lib/libz.a")
    else()
        find_library(ZELM_ZLIB NAMES z)
    endif()
    if(NOT ZELM_ZLIB)
        message(FATAL_ERROR
            "No zlib for this target. Run 'cmake/install-build-deps.sh' "
            "as root, then configure again.")
    endif()
    if(NOT EMSCRIPTEN)
        set(ZELM_ZLIB z)  # by name: the linker takes libz.a for a static program, libz.so for a module
    endif()

    add_library(zelm::xlsxwriter STATIC IMPORTED)
    set_target_properties(zelm::xlsxwriter PROPERTIES
        IMPORTED_LOCATION "${zelm_xlsxwriter_prefix}/lib/libxlsxwriter.a"
        INTERFACE_INCLUDE_DIRECTORIES "${zelm_xlsxwriter_prefix}/include"
        INTERFACE_LINK_LIBRARIES "${ZELM_ZLIB}")
    set(ZELM_XLSXWRITER_SOURCES "${zelm_xlsxwriter_prefix}/sources.txt")
    message(STATUS "libxlsxwriter: static, built in ${zelm_xlsxwriter_prefix}, with zlib ${ZELM_ZLIB}")
else()
    find_package(PkgConfig QUIET)
    if(PKG_CONFIG_FOUND)
        pkg_check_modules(ZELM_XLSXWRITER_PC QUIET xlsxwriter)
    endif()
    find_path(ZELM_XLSXWRITER_INCLUDE_DIR xlsxwriter.h HINTS ${ZELM_XLSXWRITER_PC_INCLUDE_DIRS})
    find_library(ZELM_XLSXWRITER_LIBRARY xlsxwriter HINTS ${ZELM_XLSXWRITER_PC_LIBRARY_DIRS})
    if(NOT ZELM_XLSXWRITER_INCLUDE_DIR OR NOT ZELM_XLSXWRITER_LIBRARY)
        message(FATAL_ERROR
            "libxlsxwriter not found (Debian: libxlsxwriter-dev). Run "
            "'cmake/install-build-deps.sh' as root, then configure again.")
    endif()

    add_library(zelm::xlsxwriter UNKNOWN IMPORTED)
    set_target_properties(zelm::xlsxwriter PROPERTIES
        IMPORTED_LOCATION "${ZELM_XLSXWRITER_LIBRARY}"
        INTERFACE_INCLUDE_DIRECTORIES "${ZELM_XLSXWRITER_INCLUDE_DIR}")
    message(STATUS "libxlsxwriter: shared, ${ZELM_XLSXWRITER_LIBRARY}")
endif()
