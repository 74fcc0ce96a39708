// A wrong command line as data, the fault and what it concerns, and the one line that
// tells it, worded here alone.
#pragma once

#include "entries/diagnostic.hpp"
#include "messages/options.hpp"
#include "numbers/reading.hpp"

#include <cstddef>
#include <optional>
#include <string>

namespace zelm {

enum class UsageFault {
    unknown_option,               // typed: the word, as given
    value_read_as_option,         // typed: a negative value below 1 such as -.5, which reads as an option
    flag_with_a_value,            // typed: the flag as written before its '='
    value_missing,                // option: --output or --units, with nothing after it
    given_twice,                  // option
    not_with_check,               // option: --output, --workbook or --angles; mode: --check or --bishop
    checks_together,              // --check and --bishop both given
    unknown_units,                // typed: the name after --units
    unknown_angles,               // typed: the name after --angles
    check_values_count,           // count: the values given after --check or --bishop (mode)
    too_few_values,               // count: the values given for a design run
    too_many_values,              // count
    value_refused,                // position: the value of a design run (from 0); typed, refusal
    check_value_refused,          // position: the value after --check or --bishop (from 0); typed, refusal
    describes_no_slope,           // position: the value after --check (from 0) at fault; why
    no_slope_for_bishop,          // position: the value after --bishop (from 0) at fault; why
    file_name_empty,              // the result file's name, after --output
    names_a_folder,               // typed: the result file's name
    workbook_name,                // typed: the result file's name, which is a workbook's
    workbook_to_standard_output,  // typed: the result file's name, which is standard output's
    unreadable,                   // anything else the parser cannot read
};

struct UsageError {
    UsageFault fault = UsageFault::unreadable;
    Option option = Option::output;
    Option mode = Option::check;  // the way the slopes are answered: --check or --bishop
    std::string typed{};
    std::size_t count = 0;
    std::size_t position = 0;
    Refusal refusal = Refusal::not_a_number;
    std::optional<Diagnostic> why{};  // why the slope's values describe none, as a clause
};

// The error in one line, without a line break, whatever the arguments it quotes hold (a
// control character in them is shown as '?'), ending with the pointer to --help.
std::string usage_line(const UsageError& error);

}  // namespace zelm
