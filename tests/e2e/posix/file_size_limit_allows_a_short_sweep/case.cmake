# The limit of file_size_limit (64 blocks) holds the header and the twenty rows of the
# traced run, so that case's failure comes part way through its long sweep, not at
# the file's creation or header.
set(SHELL_PREFIX [[ulimit -f 64 && trap "" XFSZ && exec "$0"]])
