#include "console/terminal.hpp"

#include <unistd.h>

namespace zelm {

bool is_a_terminal(StandardStream stream) {
    const int descriptor = stream == StandardStream::input    ? STDIN_FILENO
                           : stream == StandardStream::output ? STDOUT_FILENO
                                                              : STDERR_FILENO;
    return isatty(descriptor) == 1;
}

}  // namespace zelm
