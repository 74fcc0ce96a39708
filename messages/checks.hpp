// The check of a slope that stands, in words: the slope named, the chart's statement,
// and the one line the console, the page and Python give for it.
#pragma once

#include "sweep/check.hpp"

#include <string>

namespace zelm {

// The slope as an answer names it, "H 20 m at 35 degrees", its values written shortest.
std::string slope_named(const SlopeToCheck& slope);

// The chart's statement of an answer: "FS 1.33 to 1.35", "FS 0.80", "FS below 0.72",
// "FS above 2.96"; empty for no answer.
std::string chart_statement(const CheckAnswer& answer);

// The answer in one line, for the console, the page and Python alike:
// "FS 1.33 to 1.35 (chart 1, x = 0.43)", "FS 0.80 (...)" for a row that holds one printed
// FS, "FS below 0.72 (...)", "FS above 2.96 (...)", the chart named as the answer names
// it; for no answer, the reason as one sentence.
std::string check_line(const SlopeToCheck& slope, const CheckAnswer& answer);

// The line after the slope it answers, as the console prints each of a run's answers:
// "H 20 m at 35 degrees: FS 1.33 to 1.35 (chart 1, x = 0.43)".
std::string named_check_line(const SlopeToCheck& slope, const CheckAnswer& answer);

}  // namespace zelm
