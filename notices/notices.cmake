# The notices of the code of others inside what the build makes, found from the build
# itself (notices.py): the linker records the files it reads (record-link.sh, the
# target's linker launcher), the compiler's depfiles give the headers it read, and
# dpkg, the sources.txt of the libxlsxwriter built here and node_modules say where
# each comes from. components.txt names each source; zelm-fs.txt is zelm-fs's own part.
find_program(ZELM_PYTHON NAMES python3 NO_CMAKE_FIND_ROOT_PATH)
if(NOT ZELM_PYTHON)
    message(FATAL_ERROR "No python3 to make the notices with (Debian: python3). Run "
                        "'cmake/install-build-deps.sh' as root, then configure again.")
endif()
set(ZELM_NOTICES_DIR "${CMAKE_CURRENT_LIST_DIR}")
set(ZELM_NOTICES_TABLE "${ZELM_NOTICES_DIR}/components.txt")
set(zelm_notices_tool "${ZELM_NOTICES_DIR}/notices.py")

# Has the linker of TARGET record the files it reads in $<TARGET_FILE:TARGET>.linked,
# through whatever launcher the target already has.
function(zelm_record_link target)
    set(recorder sh "${ZELM_NOTICES_DIR}/record-link.sh")
    get_target_property(launcher ${target} CXX_LINKER_LAUNCHER)
    if(launcher)
        list(APPEND recorder ${launcher})
    endif()
    set_target_properties(${target} PROPERTIES CXX_LINKER_LAUNCHER "${recorder}")
endfunction()

# Writes OUTPUT, the list of the components inside TARGET (whose link is recorded) and
# inside FILES (files put into it whole, such as the page's npm scripts).
#   zelm_collect_components(OUTPUT manifest TARGET target [FILES file...])
function(zelm_collect_components)
    cmake_parse_arguments(PARSE_ARGV 0 arg "" "OUTPUT;TARGET" "FILES")
    set(inputs --trace "$<TARGET_FILE:${arg_TARGET}>.linked")
    foreach(file IN LISTS arg_FILES)
        list(APPEND inputs --file "${file}")
    endforeach()
    if(ZELM_XLSXWRITER_SOURCES)
        list(APPEND inputs --sources "${ZELM_XLSXWRITER_SOURCES}")
    endif()
    if(CMAKE_GENERATOR MATCHES "Ninja")  # it keeps the compiler's depfiles in a log of its own
        list(APPEND inputs --ninja "${CMAKE_MAKE_PROGRAM}")
    endif()
    add_custom_command(
        OUTPUT "${arg_OUTPUT}"
        COMMAND "${ZELM_PYTHON}" "${zelm_notices_tool}" collect --out "${arg_OUTPUT}" ${inputs}
                --build-dir "${CMAKE_BINARY_DIR}" --own-dir "${PROJECT_SOURCE_DIR}" --own-dir "${CMAKE_BINARY_DIR}"
        DEPENDS ${arg_TARGET} "${zelm_notices_tool}" ${arg_FILES}
        COMMENT "Finding the code of others inside ${arg_TARGET}"
        VERBATIM)
endfunction()

# Writes OUTPUT, the notices of the components the MANIFESTS list: FORMAT debian for
# the Debian package's copyright file, text (with CR LF line ends: CRLF) for
# everything else. TITLE says what they are the notices of.
#   zelm_write_notices(OUTPUT file FORMAT debian|text [CRLF] TITLE text MANIFESTS manifest...)
function(zelm_write_notices)
    cmake_parse_arguments(PARSE_ARGV 0 arg "CRLF" "OUTPUT;FORMAT;TITLE" "MANIFESTS")
    set(options "")
    if(arg_CRLF)
        set(options --crlf)
    endif()
    add_custom_command(
        OUTPUT "${arg_OUTPUT}"
        COMMAND "${ZELM_PYTHON}" "${zelm_notices_tool}" write --components "${ZELM_NOTICES_TABLE}"
                --project "${ZELM_NOTICES_DIR}/zelm-fs.txt" --format ${arg_FORMAT} --title "${arg_TITLE}" ${options}
                --out "${arg_OUTPUT}" ${arg_MANIFESTS}
        DEPENDS ${arg_MANIFESTS} "${zelm_notices_tool}" "${ZELM_NOTICES_TABLE}" "${ZELM_NOTICES_DIR}/zelm-fs.txt"
        COMMENT "Writing ${arg_OUTPUT}"
        VERBATIM)
endfunction()

# Tests that every component the MANIFESTS list has a notice, and is named in each of
# the NOTICES files shipped; and that the test sees it when the table lacks the line
# of WITHOUT, a component those manifests always hold.
#   zelm_test_notices(NAME name MANIFESTS manifest... [NOTICES file...] WITHOUT origin:name [LABELS label...])
function(zelm_test_notices)
    cmake_parse_arguments(PARSE_ARGV 0 arg "" "NAME;WITHOUT" "MANIFESTS;NOTICES;LABELS")
    set(shipped "")
    foreach(file IN LISTS arg_NOTICES)
        list(APPEND shipped --notices "${file}")
    endforeach()
    set(check "${ZELM_PYTHON}" "${zelm_notices_tool}" check --components "${ZELM_NOTICES_TABLE}")
    add_test(NAME notices.${arg_NAME} COMMAND ${check} ${shipped} ${arg_MANIFESTS})
    add_test(NAME notices.${arg_NAME}.without_a_line COMMAND ${check} --without ${arg_WITHOUT} ${arg_MANIFESTS})
    string(REGEX REPLACE "^[a-z]+:" "" without "${arg_WITHOUT}")
    set_tests_properties(notices.${arg_NAME}.without_a_line PROPERTIES
        PASS_REGULAR_EXPRESSION "notices: [a-z]+:${without} [^\n]* has no notice")
    if(arg_LABELS)
        set_tests_properties(notices.${arg_NAME} notices.${arg_NAME}.without_a_line PROPERTIES LABELS "${arg_LABELS}")
    endif()
endfunction()
