# The layout of the workbook a case left, read from its XML: the header frozen above
# the rows, columns wide enough to read, and beside the table a chart of the angle
# (column D) against H (column A) whose series end on the sheet's last row. Included
# by run_case.cmake once the workbook is known to be there; adds to its failures.
set(unzipped "${WORK_DIR}-calc")
file(MAKE_DIRECTORY "${unzipped}")
file(COPY_FILE "${WORK_DIR}/${WORKBOOK}" "${unzipped}/workbook.zip")  # a name tar can open
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf workbook.zip xl/charts/chart1.xml xl/drawings/drawing1.xml
                        xl/worksheets/sheet1.xml WORKING_DIRECTORY "${unzipped}")
file(READ "${unzipped}/xl/worksheets/sheet1.xml" sheet LIMIT 2000)  # what comes before the rows
file(READ "${unzipped}/xl/drawings/drawing1.xml" drawing)
file(READ "${unzipped}/xl/charts/chart1.xml" chart)
string(REGEX MATCH "<dimension ref=\"A1:[A-Z]([0-9]+)\"" _ "${sheet}")
set(last_row "${CMAKE_MATCH_1}")

function(expect part pattern what)
    if(NOT "${${part}}" MATCHES "${pattern}")
        set(failures "${failures}the workbook's ${what} is not as it should be:\n${${part}}\n" PARENT_SCOPE)
    endif()
endfunction()
expect(sheet "<pane ySplit=\"6\" topLeftCell=\"A7\"[^>]*state=\"frozen\"" "header, frozen above the rows,")
expect(sheet "<col min=\"1\" max=\"1\" width=\"12[.].*<col min=\"2\" max=\"3\" width=\"16[.].*<col min=\"4\" max=\"4\" width=\"8[.]"
       "column widths")
expect(drawing "<xdr:from><xdr:col>5</xdr:col>.*<xdr:row>6</xdr:row>.*<xdr:to><xdr:col>16</xdr:col>.*<xdr:row>27</xdr:row>"
       "chart's place beside the table")
expect(chart "ABAC 1 · FS .*xVal.*!.A.(7:.A.)?${last_row}<.*yVal.*!.D.(7:.D.)?${last_row}<" "chart of the angle against H")
expect(chart "H [(]m[)].*angle [(]graus[)]" "chart's axis titles")
