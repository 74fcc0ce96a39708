#include "messages/diagnostic.hpp"

#include "messages/render.hpp"

#include <ostream>
#include <string>

namespace zelm {

void say(std::ostream& err, std::string_view line) { err << line_prefix << line << '\n' << std::flush; }

void warn(std::ostream& err, std::string_view line) { say(err, "warning: " + std::string(line)); }

void say(std::ostream& err, const Diagnostic& said) { say(err, render(said)); }

void warn(std::ostream& err, const Diagnostic& said) { warn(err, render(said)); }

}  // namespace zelm
