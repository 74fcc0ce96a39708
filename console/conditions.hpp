// What the slopes answered by --bishop stand under besides their weight, from the
// command line's --ru or --water, --crack with --wet-crack, --kh and --critical-kh.
#pragma once

#include "console/command_line.hpp"
#include "messages/conditions.hpp"
#include "messages/usage.hpp"

#include <optional>
#include <variant>

namespace zelm {

// The first of the options that only Bishop's method answers, where one is given.
std::optional<Option> condition_given(const CommandLine& line);

// The conditions the command line gives, in the run's units; or the usage error of the
// first that is wrong.
std::variant<GivenConditions, UsageError> conditions_of(const CommandLine& line, Units units);

// The option that gives the value of `field`, a condition's.
Option option_of(Field field);

}  // namespace zelm
