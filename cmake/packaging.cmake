# CPack settings: a .deb on Linux, a .zip for Windows.
set(CPACK_PACKAGE_NAME zelm-fs)
set(CPACK_PACKAGE_VENDOR "zelm-fs developers")
set(CPACK_PACKAGE_CONTACT "zelm-fs developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "slope angles of a talus for a factor of safety")
set(CPACK_STRIP_FILES ON)
if(WIN32)
    set(CPACK_GENERATOR ZIP)
else()
    set(CPACK_GENERATOR DEB)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION science)
    set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
    set(CPACK_PACKAGE_DESCRIPTION "A console calculator for the stability of a slope in soil or rock. From the
friction angle, cohesion and density of the material, the height of the talus,
a height step and the factor of safety to reach, it reads from design chart 1
the slope angle for every height and writes the table to a tab-separated text
file that a spreadsheet opens.")
    if(NOT ZELM_STATIC)
        set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)  # needs dpkg-shlibdeps (dpkg-dev)
    endif()
endif()
include(CPack)
