// What the program says when a stop ends it.
#pragma once

#include <string>

namespace zelm {

// The stop recorded first: a signal, or on Windows a console event.
enum class Stop { sigint, sigterm, sighup, ctrl_c, ctrl_break, console_closed };

// "stopped by SIGINT.", and whether the file being written was removed.
std::string stopped(Stop stop, bool file_removed);

}  // namespace zelm
