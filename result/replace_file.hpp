// Every file the program writes goes to a temporary file beside its target first and
// is moved over the target only once complete: a failed run never leaves a
// half-written file and never loses the file of an earlier run.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace zelm {

// A name in the target's folder that no other run picks: the target's name, 64
// random bits and ".tmp". Being in the same folder, it is renamed without a copy.
std::filesystem::path temporary_path_for(const std::filesystem::path& target);

// Moves the complete temporary file over the target. On failure the temporary file
// is removed, the target is untouched, and the system's reason is returned.
std::optional<std::string> move_into_place(const std::filesystem::path& temporary,
                                           const std::filesystem::path& target);

// A file named on the command line. Windows hands a program its arguments in the
// ANSI code page, which a path made from a plain string does not assume.
std::filesystem::path path_of_argument(const std::string& argument);

// The name of a file as the C library's fopen takes it: on Windows in the ANSI code
// page again, which is also how libxlsxwriter opens its files.
std::string narrow_name(const std::filesystem::path& file);

// The system's text for an errno value.
std::string reason(int error);

}  // namespace zelm
