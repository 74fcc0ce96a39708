set(EXIT_CODE 1)
set(SHELL_PREFIX [[mkdir gone && cd gone && rmdir ../gone && exec "$0"]])
set(STDERR_REGEX "cannot write ZELM_FS_result.xls: No such file or directory")
