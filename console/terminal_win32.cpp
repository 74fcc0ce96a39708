// A terminal on Windows: standard error is one when it is a console, which
// GetConsoleMode answers for it alone (_isatty says the same of NUL and of a serial port).
#include "console/terminal_platform.hpp"

#include <io.h>
#include <windows.h>

namespace zelm {

int platform::terminal_on_standard_error() {
    DWORD mode = 0;
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    if (error == nullptr || error == INVALID_HANDLE_VALUE || GetConsoleMode(error, &mode) == 0) {
        return -1;
    }
    return _dup(2);
}

void platform::draw_on_terminal(int terminal, std::string_view text) {
    while (!text.empty()) {
        const int written = _write(terminal, text.data(), static_cast<unsigned>(text.size()));
        if (written <= 0) {
            return;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
}

void platform::close_terminal(int terminal) { (void)_close(terminal); }

}  // namespace zelm
