// A terminal on Windows: a standard stream is one when it is a console, which
// GetConsoleMode answers for it alone (_isatty says the same of NUL and of a serial port).
#include "console/terminal.hpp"
#include "console/terminal_platform.hpp"

#include <io.h>
#include <windows.h>

namespace zelm {
namespace {

bool is_a_console(DWORD standard_handle) {
    DWORD mode = 0;
    const HANDLE handle = GetStdHandle(standard_handle);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

}  // namespace

bool is_a_terminal(StandardStream stream) {
    return is_a_console(stream == StandardStream::input    ? STD_INPUT_HANDLE
                        : stream == StandardStream::output ? STD_OUTPUT_HANDLE
                                                           : STD_ERROR_HANDLE);
}

int platform::terminal_on_standard_error() { return is_a_console(STD_ERROR_HANDLE) ? _dup(2) : -1; }

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

bool platform::standard_output_is_a_terminal() { return is_a_terminal(StandardStream::output); }

}  // namespace zelm
