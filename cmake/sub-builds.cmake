# The page and the static program, built beside this build for the packages
# (ZELM_PACKAGE_ALL): the .deb holds the page beside this build's program, the .tar.gz
# the static program with the page. Each is a build of this same source tree, in a
# folder of its own inside this one, with its preset's own settings:
#
#   npm/     the npm packages of package-lock.json, installed by `npm ci` here, never
#            into the source tree, for uPlot, which the page holds;
#   web/     the page (the web preset, without its browser tests);
#   static/  the static release program with its manual, the page and their notices
#            (the default preset, without its tests, which the test workflow runs).
#
# So a fresh clone packs without any other step first; the one thing fetched is what
# `npm ci` fetches, exactly as package-lock.json records it.
include(ExternalProject)

# Where the page and the static program are built already, as their own workflows make
# them from this same tree (CI builds the web and default presets first), ZELM_PACKAGE_FROM
# names the folder that holds those builds, web/ and default/: they are packed from there
# rather than built a second time.
set(ZELM_PACKAGE_FROM "" CACHE PATH "A folder holding this tree's web/ and default/ builds, packed as they are")
if(ZELM_PACKAGE_FROM)
    set(ZELM_SUB_BUILT_PAGE "${ZELM_PACKAGE_FROM}/web/zelm-fs.html")
    set(ZELM_SUB_BUILT_STATIC "${ZELM_PACKAGE_FROM}/default")
    foreach(made "${ZELM_SUB_BUILT_PAGE}.components" "${ZELM_SUB_BUILT_STATIC}/zelm-fs.components")
        if(NOT EXISTS "${made}")
            message(FATAL_ERROR "${made} is missing: build the web preset, then the default preset, first; "
                                "or leave ZELM_PACKAGE_FROM empty to build them here.")
        endif()
    endforeach()
    add_custom_target(zelm_sub_built_page)
    return()
endif()

find_program(ZELM_NPM npm NO_CMAKE_FIND_ROOT_PATH)
if(NOT ZELM_NPM)
    message(FATAL_ERROR "No npm to install the page's npm packages with (Debian: npm). Run "
                        "'cmake/install-build-deps.sh --all' as root, then configure again.")
endif()
set(zelm_npm_dir "${CMAKE_BINARY_DIR}/npm")
set(zelm_npm_files "${PROJECT_SOURCE_DIR}/package.json" "${PROJECT_SOURCE_DIR}/package-lock.json"
                   "${PROJECT_SOURCE_DIR}/.npmrc")
file(MAKE_DIRECTORY "${zelm_npm_dir}")
add_custom_command(
    OUTPUT "${zelm_npm_dir}/node_modules/.package-lock.json"
    COMMAND "${CMAKE_COMMAND}" -E copy ${zelm_npm_files} "${zelm_npm_dir}"
    COMMAND "${ZELM_NPM}" ci --no-audit --no-fund --loglevel=error
    DEPENDS ${zelm_npm_files}
    WORKING_DIRECTORY "${zelm_npm_dir}"
    COMMENT "Installing the npm packages of package-lock.json into ${zelm_npm_dir}"
    VERBATIM)
add_custom_target(zelm_npm_packages DEPENDS "${zelm_npm_dir}/node_modules/.package-lock.json")

# One build of this source tree with a preset's settings, in FOLDER.
function(zelm_sub_build name preset folder)
    ExternalProject_Add(${name}
        SOURCE_DIR "${PROJECT_SOURCE_DIR}"
        BINARY_DIR "${CMAKE_BINARY_DIR}/${folder}"
        CONFIGURE_COMMAND "${CMAKE_COMMAND}" -S "${PROJECT_SOURCE_DIR}" --preset ${preset}
                          -B "${CMAKE_BINARY_DIR}/${folder}" -DBUILD_TESTING=OFF "-DZELM_XLSXWRITER_SOURCE_CACHE=${ZELM_XLSXWRITER_SOURCE_CACHE}"
                          ${ARGN}
        CONFIGURE_HANDLED_BY_BUILD ON
        BUILD_ALWAYS ON
        INSTALL_COMMAND ""
        ${zelm_sub_build_options})
endfunction()

set(ZELM_SUB_BUILT_PAGE "${CMAKE_BINARY_DIR}/web/zelm-fs.html")
set(zelm_sub_build_options DEPENDS zelm_npm_packages
    BUILD_BYPRODUCTS "${ZELM_SUB_BUILT_PAGE}" "${ZELM_SUB_BUILT_PAGE}.components")
zelm_sub_build(zelm_sub_built_page web web "-DZELM_NODE_MODULES=${zelm_npm_dir}/node_modules")

set(ZELM_SUB_BUILT_STATIC "${CMAKE_BINARY_DIR}/static")
set(zelm_sub_build_options DEPENDS zelm_sub_built_page BUILD_BYPRODUCTS "${ZELM_SUB_BUILT_STATIC}/zelm-fs")
zelm_sub_build(zelm_sub_built_static default static "-DZELM_PAGE=${ZELM_SUB_BUILT_PAGE}"
               -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON)
