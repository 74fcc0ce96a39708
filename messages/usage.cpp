#include "messages/usage.hpp"

#include "messages/bishop.hpp"
#include "messages/bishop_answers.hpp"
#include "messages/checks.hpp"
#include "messages/entries.hpp"
#include "messages/render.hpp"

namespace zelm {
namespace {

// The value, of the slope-th slope, that leaves it without an answer, and why, without
// the sentence's full stop: the pointer to --help follows.
std::string no_slope(const UsageError& error) {
    const std::size_t typed = typed_position(error.why);
    CheckAnswer none;
    none.why = error.why;
    none.chart = error.slope.chart;
    std::string why = check_line(error.slope, none);
    why.pop_back();
    // The slope's two values follow the material's three, and the slopes before it.
    return check_value_name(typed < 3 ? typed : typed + 2 * error.position) + ": " + why;
}

// The same for a slope whose values Bishop's method refuses.
std::string no_slope_for_bishop(const UsageError& error) {
    const std::size_t typed = bishop_argument(error.bishop_why);
    std::string why = bishop_refusal(error.slope, error.bishop_why);
    why.pop_back();
    return check_value_name(typed < 3 ? typed : typed + 2 * error.position) + ": " + why;
}

}  // namespace

std::string usage_line(const UsageError& error) {
    const std::string what = error.fault == UsageFault::describes_no_slope    ? no_slope(error)
                             : error.fault == UsageFault::no_slope_for_bishop ? no_slope_for_bishop(error)
                                                                              : render(error.said);
    return printable(what) + " (see zelm-fs --help)";
}

}  // namespace zelm
