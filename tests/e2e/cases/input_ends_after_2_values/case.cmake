set(EXIT_CODE 1)
set(STDERR_REGEX "input ended before all six values")
