# Fails when the program's help names an option (-x, --xxx) that the manual page does not.
#
#   cmake -DPROGRAM=<exe> -DPAGE=<zelm-fs.1> -P options_in_manual.cmake
execute_process(COMMAND "${PROGRAM}" --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
string(REGEX MATCHALL "[ ,]--?[A-Za-z][-A-Za-z]*" options "${help}")
file(READ "${PAGE}" page)
string(REGEX REPLACE "\\\\f[BIRP]|\\\\" "" page "${page}")  # fonts; \- is a plain minus
foreach(option IN LISTS options)
    string(REGEX REPLACE "^[ ,]" "" option "${option}")
    if(NOT page MATCHES "[^-A-Za-z]${option}[^-A-Za-z]")
        list(APPEND missing "${option}")
    endif()
endforeach()
if(NOT status EQUAL 0 OR NOT options OR missing)
    message(FATAL_ERROR "--help exited with ${status}, named '${options}'; missing from ${PAGE}: ${missing}")
endif()
