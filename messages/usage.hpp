// A wrong command line as data, the fault and what it concerns, and the one line that
// tells it.
#pragma once

#include "entries/diagnostic.hpp"
#include "messages/options.hpp"

#include <cstddef>
#include <optional>
#include <string>

namespace zelm {

// A fault found answering the slopes, told in the words of their answers; every other
// is told by its diagnostic.
enum class UsageFault {
    said,
    describes_no_slope,   // position: the value after --check (from 0) at fault; why
    no_slope_for_bishop,  // position: the value after --bishop (from 0) at fault; why
};

struct UsageError {
    UsageFault fault = UsageFault::said;
    // The fault, an id of the command line's, the entry it concerns where it is a value,
    // and its values: the option, the word typed, a count, a refusal.
    Diagnostic said{Said::usage_unreadable};
    std::size_t position = 0;
    std::optional<Diagnostic> why{};  // why the slope's values describe none, as a clause
};

// The error in one line, without a line break, whatever the arguments it quotes hold (a
// control character in them is shown as '?'), ending with the pointer to --help.
std::string usage_line(const UsageError& error);

}  // namespace zelm
