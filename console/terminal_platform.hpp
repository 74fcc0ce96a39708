// Standard error as a terminal, for a line the program draws and rewrites in place:
// progress_line.cpp decides what to draw and when, and the build takes terminal_posix.cpp
// or terminal_win32.cpp for the calls.
#pragma once

#include <string_view>

namespace zelm::platform {

// A descriptor of its own on standard error where that is a terminal (on Windows, a
// console), which stays on it while standard error is sent elsewhere for a library; -1
// where standard error is a file, a pipe or a device, or closed.
int terminal_on_standard_error();

// Writes `text` there as far as it goes: a line not drawn is no failure of the run.
void draw_on_terminal(int terminal, std::string_view text);

void close_terminal(int terminal);

// True where standard output is a terminal (on Windows, a console).
bool standard_output_is_a_terminal();

}  // namespace zelm::platform
