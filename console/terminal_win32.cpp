#include "console/terminal.hpp"

#include <io.h>

#include <cstdio>

namespace zelm {

bool is_a_terminal(StandardStream stream) {
    std::FILE* const file = stream == StandardStream::input    ? stdin
                            : stream == StandardStream::output ? stdout
                                                               : stderr;
    return _isatty(_fileno(file)) != 0;
}

}  // namespace zelm
