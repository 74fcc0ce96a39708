#include "messages/diagnostic.hpp"

#include <ostream>
#include <string>

namespace zelm {

void say(std::ostream& err, std::string_view line) { err << line_prefix << line << '\n' << std::flush; }

void warn(std::ostream& err, std::string_view line) { say(err, "warning: " + std::string(line)); }

}  // namespace zelm
