# Opens the traced run's result file in LibreOffice Calc, headless, the way a user is
# told to import it (TAB separator, Windows-1252, Catalan for the decimal comma), and
# checks what the table shows: the header labels with their accents, and on every
# row H, x, y and the angle as numbers equal to the ones printed.
#
#   cmake -DPROGRAM=<exe> -DSOFFICE=<soffice> -DCASE_DIR=<dir> -DWORK_DIR=<dir> -P read_back.cmake
#
# CASE_DIR holds the entries (stdin); the program writes the file in WORK_DIR.
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
execute_process(COMMAND "${PROGRAM}" WORKING_DIRECTORY "${WORK_DIR}" INPUT_FILE "${CASE_DIR}/stdin"
                OUTPUT_QUIET RESULT_VARIABLE status)
set(result "${WORK_DIR}/ZELM_FS_result.xls")
if(NOT status EQUAL 0 OR NOT EXISTS "${result}")
    message(FATAL_ERROR "the program left no result file (exit status ${status})")
endif()

# Filter options: TAB (9) between fields, " (34) around text, character set 1
# (Windows-1252), start at line 1, default column types, language 1027 (Catalan).
# A profile of its own, so that a Calc already running cannot take the job over.
execute_process(
    COMMAND "${SOFFICE}" --headless --norestore --nolockcheck
        "-env:UserInstallation=file://${WORK_DIR}/profile"
        "--infilter=Text - txt - csv (StarCalc):9,34,1,1,,1027"
        --convert-to fods --outdir "${WORK_DIR}/calc" "${result}"
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
set(table "${WORK_DIR}/calc/ZELM_FS_result.fods")
if(NOT status EQUAL 0 OR NOT EXISTS "${table}")
    message(FATAL_ERROR "LibreOffice did not convert the file (exit status ${status}):\n${out}${err}")
endif()

# One line per table row: its cells joined by |, a number as f:<value>, text as
# s:<text>, an empty cell as nothing; empty cells at the end of a row dropped.
file(READ "${table}" xml)
string(REGEX REPLACE ".*<table:table [^>]*>(.*)</table:table>.*" "\\1" xml "${xml}")
string(REGEX REPLACE ">[ \t\r\n]+<" "><" xml "${xml}")
string(REPLACE "&apos;" "'" xml "${xml}")
string(REPLACE "&quot;" "\"" xml "${xml}")
string(REPLACE "&amp;" "&" xml "${xml}")
string(REPLACE ";" "<semicolon/>" xml "${xml}")  # keep the list below whole
string(REPLACE "</table:table-row>" ";" rows "${xml}")
set(shown "")
foreach(row IN LISTS rows)
    if(NOT row MATCHES "<table:table-row")
        continue()
    endif()
    string(REGEX MATCHALL "<table:table-cell[^>]*>(<text:p>[^<]*</text:p>)?" cells "${row}")
    set(line "")
    foreach(cell IN LISTS cells)
        if(cell MATCHES "office:value-type=\"float\" office:value=\"([^\"]*)\"")
            set(value "f:${CMAKE_MATCH_1}")
        elseif(cell MATCHES "<text:p>([^<]*)</text:p>")
            set(value "s:${CMAKE_MATCH_1}")
        else()
            set(value "")
        endif()
        set(repeat 1)
        if(cell MATCHES "table:number-columns-repeated=\"([0-9]+)\"")
            set(repeat ${CMAKE_MATCH_1})
        endif()
        foreach(i RANGE 1 ${repeat})
            string(APPEND line "|${value}")
        endforeach()
    endforeach()
    string(SUBSTRING "${line}" 1 -1 line)  # the | before the first cell
    string(REGEX REPLACE "\\|+$" "" line "${line}")
    string(APPEND shown "${line}\n")
endforeach()

# The header as the user must see it: labels intact, the header's own numbers left as
# text (they keep a decimal point, which a Catalan locale does not read as a number).
set(expected "s:Paràmetres|s:densitat|s:2.5|s:Tn/m3
s:geomecànics|s:Angle|s:30.0|s:graus
|s:Cohesió|s:2.0|s:Tn/m2

s:ABAC 1|s:FS 1.5
s:H|s:Tg (Phi)/FS=|s:C'/(d*H*Tg Phi)|s:angle
")
# Then every row of the file, each printed field as the number it shows: " 0,38" is
# 0.38, " 10,00" is 10, "90" is 90.
file(READ "${result}" printed)
string(REPLACE "\r" "" printed "${printed}")
string(REPLACE "\n" ";" lines "${printed}")
list(SUBLIST lines 6 -1 lines)
set(row_count 0)
foreach(line IN LISTS lines)
    if(line STREQUAL "")
        continue()
    endif()
    string(REPLACE "\t" ";" fields "${line}")
    set(numbers "")
    foreach(field IN LISTS fields)
        if(field STREQUAL "")
            continue()
        endif()
        string(STRIP "${field}" number)
        string(REPLACE "," "." number "${number}")
        if(number MATCHES "[.]")
            string(REGEX REPLACE "0+$" "" number "${number}")
            string(REGEX REPLACE "[.]$" "" number "${number}")
        endif()
        list(APPEND numbers "f:${number}")
    endforeach()
    list(JOIN numbers "|" numbers)
    string(APPEND expected "${numbers}\n")
    math(EXPR row_count "${row_count} + 1")
endforeach()
if(NOT row_count EQUAL 20)
    message(FATAL_ERROR "the result file holds ${row_count} rows, the traced run 20")
endif()

if(NOT shown STREQUAL expected)
    message(FATAL_ERROR "Calc shows:\n${shown}\nexpected:\n${expected}")
endif()
message(STATUS "Calc reads the header and ${row_count} rows of numbers as printed")
