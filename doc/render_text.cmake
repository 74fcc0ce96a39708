# Renders the manual page as plain ASCII text with CR LF line ends: no escape
# sequences, no overstriking for bold or underline.
#
#   cmake -DGROFF=<groff> -DPAGE=<zelm-fs.1> -DTEXT=<zelm-fs.txt> -P render_text.cmake
execute_process(COMMAND "${GROFF}" -man -Tascii -P-cbou -ww "${PAGE}"
                OUTPUT_VARIABLE text
                ERROR_VARIABLE errors
                RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT errors STREQUAL "")
    message(FATAL_ERROR "groff could not render ${PAGE} (${status}):\n${errors}")
endif()
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE "${TEXT}" "${text}")
