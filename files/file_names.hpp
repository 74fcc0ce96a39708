// File names as the program is given them and passes them on. Inside the program a name
// is UTF-8 text on every system, as its arguments arrive on Linux and as libxlsxwriter
// takes names on Windows; a path holds it in the system's own form.
#pragma once

#include <filesystem>
#include <string>

namespace zelm {

// The path of a name in UTF-8, and the UTF-8 name of a path, for messages and libraries.
std::filesystem::path path_of(const std::string& utf8_name);
std::string utf8_name(const std::filesystem::path& file);

// True for a name whose extension is .xlsx, in any case: a workbook's name.
bool has_xlsx_extension(const std::filesystem::path& file);

}  // namespace zelm
