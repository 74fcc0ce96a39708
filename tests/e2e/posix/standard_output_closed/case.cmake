set(EXIT_CODE 1)
set(SHELL_PREFIX [[exec "$0" >&-]])
set(STDERR_REGEX "cannot write to standard output; no result file was written")
