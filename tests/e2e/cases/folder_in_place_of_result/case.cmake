set(EXIT_CODE 1)
set(RESULT_IS_FOLDER ON)
set(STDERR_REGEX "cannot write ZELM_FS_result.xls: .+; any earlier result file is unchanged")
