#include "messages/usage.hpp"

#include "messages/entries.hpp"
#include "messages/render.hpp"

namespace zelm {
namespace {

// The value that leaves a slope without an answer, and why, without the sentence's full
// stop: the pointer to --help follows.
std::string no_slope(const UsageError& error) {
    return check_value_name(error.position) + ": " + (error.why ? render(*error.why) : std::string{});
}

}  // namespace

std::string usage_line(const UsageError& error) {
    const std::string what = error.fault == UsageFault::said ? render(error.said) : no_slope(error);
    return printable(what) + " (see zelm-fs --help)";
}

}  // namespace zelm
