# The workbook a case left, printed as an engineer would hand it in: LibreOffice turns
# it into a PDF, and pdfinfo and pdftotext read the pages back. It must take
# PRINTED_PAGES pages, each with the chart's title above and "page n of m" below; the
# column titles at the top of the table on every page; the chart whole on the first
# page (its axis title "angle (graus)" there beside the column title, and nowhere else);
# and every height of the result file somewhere. Included by run_case.cmake, with
# SOFFICE, WORKBOOK, RESULT, WORK_DIR and PRINTED_PAGES set.
set(printed "${WORK_DIR}-calc/printed")
execute_process(COMMAND "${SOFFICE}" --headless --norestore "-env:UserInstallation=file://${WORK_DIR}-calc/profile"
                        --convert-to pdf --outdir "${printed}" "${WORK_DIR}/${WORKBOOK}"
                OUTPUT_VARIABLE log ERROR_VARIABLE log)
file(GLOB pdf "${printed}/*.pdf")
if(NOT pdf)
    message(FATAL_ERROR "LibreOffice could not print ${WORKBOOK}:\n${log}")
endif()
execute_process(COMMAND pdfinfo "${pdf}" OUTPUT_VARIABLE info)
string(REGEX MATCH "Pages: +([0-9]+)" _ "${info}")
if(NOT CMAKE_MATCH_1 EQUAL PRINTED_PAGES)
    message(FATAL_ERROR "${WORKBOOK} prints on ${CMAKE_MATCH_1} pages, not ${PRINTED_PAGES}")
endif()

# The heights, as the workbook shows them: the result file's first cells, with a point.
file(STRINGS "${WORK_DIR}/${RESULT}" rows REGEX "^ [0-9]+,[0-9][0-9]\t")
list(TRANSFORM rows REPLACE "^ ([0-9]+),([0-9][0-9])\t.*" "\\1.\\2")

set(failures "")
set(all_pages "")
foreach(page RANGE 1 ${PRINTED_PAGES})
    execute_process(COMMAND pdftotext -layout -f ${page} -l ${page} "${pdf}" - OUTPUT_VARIABLE text)
    string(APPEND all_pages "${text}")
    string(REGEX MATCHALL "angle [(]graus[)]" axis_titles "${text}")
    string(REGEX MATCHALL "(confirmed|Bishop) angle [(]graus[)]" column_titles "${text}")
    list(LENGTH axis_titles count)
    list(LENGTH column_titles titles)
    math(EXPR count "${count} - ${titles}")  # the confirmed and Bishop angles' column titles are no axis
    set(expected_count 1)
    if(page EQUAL 1)  # the chart's axis beside the column title
        set(expected_count 2)
    endif()
    if(NOT text MATCHES "^ *ABAC 1 · FS [^\n]*\n")
        string(APPEND failures "page ${page} has not the chart's title above\n")
    endif()
    if(NOT text MATCHES "\n *H [(]m[)] +Tg [(]Phi[)]/FS= +C'/[(]d[*]H[*]Tg Phi[)] +angle [(]graus[)] +confirmed angle [(]graus[)] +Bishop FS +Bishop angle [(]graus[)] *\n +[0-9]+[.][0-9][0-9] ")
        string(APPEND failures "page ${page} has not the column titles above its rows\n")
    endif()
    if(NOT count EQUAL expected_count)
        string(APPEND failures "page ${page} names the angle ${count} times, not ${expected_count}: the chart is not whole on page 1\n")
    endif()
    if(NOT text MATCHES "page ${page} of ${PRINTED_PAGES}")
        string(APPEND failures "page ${page} has not \"page ${page} of ${PRINTED_PAGES}\" below\n")
    endif()
endforeach()
foreach(height IN LISTS rows)
    string(REPLACE "." "[.]" pattern "${height}")
    if(NOT all_pages MATCHES " ${pattern} ")
        string(APPEND failures "the height ${height} is on no page\n")
    endif()
endforeach()
if(failures)
    message(FATAL_ERROR "${WORKBOOK} printed (${pdf}):\n${failures}")
endif()
