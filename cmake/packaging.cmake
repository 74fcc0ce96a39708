# CPack settings. On Linux, a build on Debian's shared libraries (ZELM_SYSTEM_LIBRARIES,
# the package preset) makes the .deb, and with ZELM_PACKAGE_ALL also the .tar.gz of the
# static program built beside it; a static build makes that .tar.gz of its own. For
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
    set(CPACK_PACKAGE_DESCRIPTION "A console calculator for the stability of a slope in soil or rock. From the
friction angle, cohesion and density of the material, the height of the talus,
a height step and the factor of safety to reach, it reads from design chart 1
the slope angle for every height and writes the table to a tab-separated text
file that a spreadsheet opens, and on request to a workbook. The same
calculator comes as one web page that runs offline in any current browser.")
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
