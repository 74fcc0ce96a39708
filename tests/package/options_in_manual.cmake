# Fails when the program's help names an option (-x, --xxx) that the manual page
# does not.
#
#   cmake -DPROGRAM=<exe> -DPAGE=<zelm-fs.1> -P options_in_manual.cmake
execute_process(COMMAND "${PROGRAM}" --help
                OUTPUT_VARIABLE help RESULT_VARIABLE status)
string(REGEX MATCHALL "(^|[^-A-Za-z0-9_])--?[A-Za-z][-A-Za-z0-9]*" options "${help}")
list(TRANSFORM options REPLACE "^[^-]" "")
list(REMOVE_DUPLICATES options)
file(READ "${PAGE}" page)
string(REGEX REPLACE "\\\\f[BIRP]|\\\\" "" page "${page}")  # fonts; \- is a plain minus
set(missing "")
foreach(option IN LISTS options)
    if(NOT page MATCHES "(^|[^-A-Za-z0-9_])${option}([^-A-Za-z0-9_]|$)")
        list(APPEND missing "${option}")
    endif()
endforeach()
if(NOT status EQUAL 0 OR NOT options OR missing)
    message(FATAL_ERROR "--help exited with ${status}, named '${options}'; missing from ${PAGE}: ${missing}")
endif()
