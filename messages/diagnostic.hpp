// Every line the program writes on standard error begins with its name.
#pragma once

#include "entries/diagnostic.hpp"

#include <iosfwd>
#include <string_view>

namespace zelm {

// What every line on standard error begins with.
inline constexpr std::string_view line_prefix = "zelm-fs: ";

// Writes "zelm-fs: <line>" and a line break.
void say(std::ostream& err, std::string_view line);

// Writes "zelm-fs: warning: <line>" and a line break.
void warn(std::ostream& err, std::string_view line);

// The same for a diagnostic, in its words.
void say(std::ostream& err, const Diagnostic& said);
void warn(std::ostream& err, const Diagnostic& said);

}  // namespace zelm
