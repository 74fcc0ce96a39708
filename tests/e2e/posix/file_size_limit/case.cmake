set(EXIT_CODE 1)
set(SHELL_PREFIX [[ulimit -f 64 && trap "" XFSZ && exec "$0"]])
set(STDERR_REGEX "cannot write ZELM_FS_result.xls: File too large")
