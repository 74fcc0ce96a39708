// What --help and --version print, in words: the parser lays the help out, these are
// its texts.
#pragma once

#include "messages/options.hpp"

#include <cstddef>
#include <string>
#include <string_view>

namespace zelm {

// What the program does, above the usage lines.
std::string_view help_description();

// The usage lines: the six values as one group, all of them or none; the check's values
// apart.
std::string_view usage_lines();

// The heading of the values, and what each of the six is (0 PHI to 5 FS).
std::string_view values_heading();
std::string_view value_described(std::size_t value);

// What an option does, as the help says it beside its names.
std::string option_described(Option option);

// The lines after the options: the result file, the check and the exit statuses; the x
// that chart 1 covers come from the chart itself.
std::string help_footer();

// Where the notices of the code of others are for a program run in the folder it was
// built in: its build's own copy, and where the installed program finds them.
std::string notices_of_this_build(std::string_view built, std::string_view installed);

// The version, and where the notices of the code of others it holds are.
std::string version_text(std::string_view version, std::string_view notices);

}  // namespace zelm
