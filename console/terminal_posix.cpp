// A terminal on POSIX systems: a standard stream is one when isatty says so.
#include "console/terminal.hpp"
#include "console/terminal_platform.hpp"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace zelm {

bool is_a_terminal(StandardStream stream) {
    const int descriptor = stream == StandardStream::input    ? STDIN_FILENO
                           : stream == StandardStream::output ? STDOUT_FILENO
                                                              : STDERR_FILENO;
    return isatty(descriptor) == 1;
}

int platform::terminal_on_standard_error() {
    return isatty(STDERR_FILENO) == 1 ? fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3) : -1;
}

void platform::draw_on_terminal(int terminal, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = write(terminal, text.data(), text.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
}

void platform::close_terminal(int terminal) { (void)close(terminal); }

bool platform::standard_output_is_a_terminal() { return is_a_terminal(StandardStream::output); }

}  // namespace zelm
