# The npm packages of package.json (uPlot for the page; playwright-core and axe-core
# for its tests) must be in node_modules, at the versions package-lock.json records.
#
# Configuring never runs npm: `npm ci` rewrites node_modules in the source tree and
# reaches the registry, which is the business of an explicit step (.ci/run runs it,
# as a developer does once after cloning and after every change to the lock file).
# Here, a missing or stale node_modules stops the configure step with one line
# saying so, instead of a build that fails later on a missing file or a test that
# runs other versions than the lock file's.

# The page is built from the packages in ZELM_NODE_MODULES: the source tree's, unless
# a build installs the lock file's packages elsewhere (cmake/sub-builds.cmake).
set(ZELM_NODE_MODULES "${PROJECT_SOURCE_DIR}/node_modules" CACHE PATH "The node_modules folder the page is built from")
get_filename_component(zelm_npm_root "${ZELM_NODE_MODULES}" DIRECTORY)
set(zelm_lock_file "${PROJECT_SOURCE_DIR}/package-lock.json")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${zelm_lock_file}")

file(READ "${zelm_lock_file}" zelm_lock)
string(JSON zelm_lock_packages GET "${zelm_lock}" packages)
string(JSON zelm_lock_count LENGTH "${zelm_lock_packages}")
math(EXPR zelm_lock_last "${zelm_lock_count} - 1")
foreach(index RANGE ${zelm_lock_last})
    string(JSON zelm_lock_path MEMBER "${zelm_lock_packages}" ${index})
    if(NOT zelm_lock_path MATCHES "^node_modules/")  # "" is the project itself
        continue()
    endif()
    string(JSON zelm_wanted GET "${zelm_lock_packages}" "${zelm_lock_path}" version)
    set(zelm_installed "")
    string(REGEX REPLACE "^node_modules/" "${ZELM_NODE_MODULES}/" zelm_manifest "${zelm_lock_path}/package.json")
    if(EXISTS "${zelm_manifest}")
        file(READ "${zelm_manifest}" zelm_manifest_text)
        string(JSON zelm_installed ERROR_VARIABLE zelm_json_error GET "${zelm_manifest_text}" version)
    endif()
    if(NOT zelm_installed STREQUAL zelm_wanted)
        if(zelm_installed STREQUAL "")
            set(zelm_installed "missing")
        endif()
        message(FATAL_ERROR
            "${zelm_lock_path} is ${zelm_installed}, package-lock.json wants ${zelm_wanted}: "
            "run 'npm ci' in ${zelm_npm_root}, then configure again")
    endif()
endforeach()
