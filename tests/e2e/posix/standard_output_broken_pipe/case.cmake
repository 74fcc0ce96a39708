set(EXIT_CODE 1)
# Standard output is a pipe whose only reader is gone before the program starts: the
# FIFO is opened for reading and writing, then for writing, then the reading end is
# closed. Every write gets EPIPE (SIGPIPE is ignored by the program).
set(SHELL_PREFIX [[mkfifo pipe && exec 3<>pipe 4>pipe 3<&- && rm pipe && exec "$0" >&4 4>&-]])
set(STDERR_REGEX "cannot write to standard output; no result file was written")
