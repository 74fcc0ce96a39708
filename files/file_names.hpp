// File names as the program is given them and as it passes them on: from a command-line
// argument to a path, from a path to the narrow name that messages, the C library's
// fopen and libxlsxwriter take; and the system's words for why a file operation failed.
#pragma once

#include <filesystem>
#include <string>

namespace zelm {

// A file named on the command line. Windows hands a program its arguments in the
// ANSI code page, which a path made from a plain string does not assume.
std::filesystem::path path_of_argument(const std::string& argument);

// The name of a file as the C library's fopen takes it: on Windows in the ANSI code
// page again, which is also how libxlsxwriter opens its files.
std::string narrow_name(const std::filesystem::path& file);

// The system's text for an errno value: "No such file or directory".
std::string system_reason(int error);

}  // namespace zelm
