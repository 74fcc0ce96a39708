# CPack settings. On Linux, a build on Debian's shared libraries (ZELM_SYSTEM_LIBRARIES,
# the package preset) makes the .deb, with the Python module (ZELM_PYTHON_MODULE) a
# second one of its own, python3-zelm-fs, and with ZELM_PACKAGE_ALL also the .tar.gz of
# the static program built beside it; a static build makes that .tar.gz of its own. For
# Windows, the .zip.
set(CPACK_PACKAGE_NAME zelm-fs)
set(CPACK_PACKAGE_VENDOR "the zelm-fs authors")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "slope angles of a talus for a factor of safety")
set(CPACK_STRIP_FILES ON)

# Who maintains the package, as "Name <mail address>": given when configuring, as
# -DZELM_MAINTAINER=... or in the environment variable ZELM_MAINTAINER, and never kept
# in the repository. Without it the package names its authors with no address, which
# lintian reports (malformed-contact) until the owner gives one.
set(ZELM_MAINTAINER "$ENV{ZELM_MAINTAINER}" CACHE STRING "The package's maintainer, as Name <mail address>")
if(ZELM_MAINTAINER)
    set(zelm_maintainer "${ZELM_MAINTAINER}")
    set(zelm_changelog_maintainer "${ZELM_MAINTAINER}")
else()
    set(zelm_maintainer "the zelm-fs authors")
    set(zelm_changelog_maintainer "the zelm-fs authors <>")  # a changelog's signature needs the brackets
endif()
set(CPACK_PACKAGE_CONTACT "${zelm_maintainer}")

# The archive of a static Linux program: bin/, share/man/, share/zelm-fs/ (the page)
# and share/doc/zelm-fs/NOTICES.txt, in one folder named after the version.
set(zelm_archive_name "zelm-fs-${PROJECT_VERSION}-linux-${CMAKE_SYSTEM_PROCESSOR}")

if(WIN32)
    set(CPACK_GENERATOR ZIP)
elseif(ZELM_SYSTEM_LIBRARIES)
    set(CPACK_GENERATOR DEB)
    set(CPACK_PACKAGING_INSTALL_PREFIX "${CMAKE_INSTALL_PREFIX}")
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION science)
    set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
    set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${zelm_maintainer}")
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)  # Depends as dpkg-shlibdeps finds them (dpkg-dev)
    set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
    # Each package's synopsis is the first line of its own description, and the summary
    # is emptied: CPack would put it before them all.
    set(zelm_synopsis "${CPACK_PACKAGE_DESCRIPTION_SUMMARY}")
    set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "")
    set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "${zelm_synopsis}
A console calculator for the stability of a slope in soil or rock. From the
friction angle, cohesion and density of the material, the height of the talus,
a height step and the factor of safety to reach, it reads from design chart 1
the slope angle for every height and writes the table to a tab-separated text
file that a spreadsheet opens, and on request to a workbook. The same
calculator comes as one web page that runs offline in any current browser.")
    if(ZELM_PYTHON_MODULE)
        # The program's files (installed with no component named) make zelm-fs; the
        # module's (the component "python"), named as Debian names a module for
        # Python 3, make python3-zelm-fs. The module is built for one version of
        # Python (its file name carries that version's ABI), as dh_python3 would say.
        set(CPACK_DEB_COMPONENT_INSTALL ON)
        set(CPACK_COMPONENTS_ALL Unspecified python)
        set(CPACK_DEBIAN_UNSPECIFIED_PACKAGE_NAME zelm-fs)
        set(CPACK_DEBIAN_PYTHON_PACKAGE_NAME python3-zelm-fs)
        set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
        string(REPLACE "." ";" zelm_python_next "${ZELM_PYTHON_VERSION}")
        list(POP_BACK zelm_python_next zelm_python_minor)
        math(EXPR zelm_python_minor "${zelm_python_minor} + 1")
        list(APPEND zelm_python_next ${zelm_python_minor})
        list(JOIN zelm_python_next "." zelm_python_next)
        set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS
            "python3 (>= ${ZELM_PYTHON_VERSION}), python3 (<< ${zelm_python_next}), python3-numpy")
        set(CPACK_DEBIAN_PYTHON_PACKAGE_SUGGESTS python3-pandas)  # for the rows as a DataFrame
        # Its Python files compiled at install and their compiled files removed before
        # removal, as Debian's tools script it for every module.
        set(CPACK_DEBIAN_PYTHON_PACKAGE_CONTROL_EXTRA
            "${CMAKE_CURRENT_LIST_DIR}/python3-zelm-fs/postinst;${CMAKE_CURRENT_LIST_DIR}/python3-zelm-fs/prerm")
        set(CPACK_DEBIAN_PYTHON_DESCRIPTION "${zelm_synopsis} (Python 3)
The calculator of zelm-fs as the Python module zelm_fs, with numpy arrays in
and out: the slope angle that design chart 1 gives for a friction angle,
cohesion, density, height and factor of safety, for every element of arrays
broadcast together, for parametric and probabilistic studies; and the sweep
over heights that the program makes, with its result file and workbook.
.
This package installs the module for Python 3.")
    endif()
    if(ZELM_PACKAGE_ALL)
        # The .tar.gz packs the static program's build, not this one.
        list(APPEND CPACK_GENERATOR TGZ)
        set(zelm_tar_projects "${ZELM_SUB_BUILT_STATIC};zelm_fs;ALL;/")
        configure_file("${CMAKE_CURRENT_LIST_DIR}/cpack-per-generator.cmake.in"
                       "${PROJECT_BINARY_DIR}/cpack-per-generator.cmake" @ONLY)
        set(CPACK_PROJECT_CONFIG_FILE "${PROJECT_BINARY_DIR}/cpack-per-generator.cmake")
    endif()
else()
    set(CPACK_GENERATOR TGZ)
    set(CPACK_PACKAGE_FILE_NAME "${zelm_archive_name}")
endif()
include(CPack)
