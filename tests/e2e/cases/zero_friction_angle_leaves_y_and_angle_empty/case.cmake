set(STDERR_REGEX "warning: chart 1 has no slope angle for x = tan\\(phi\\)/FS = 0[.]00")
