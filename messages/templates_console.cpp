// The words of the command line's usage errors, the dialogue's refused entries and its
// end, the stops and a long run's progress.
#include "messages/templates.hpp"

#include <array>

namespace zelm {
namespace {

constexpr auto templates = std::to_array<Template>({
    // Why an entry is refused, after its name or its text.
    {Said::refused_not_a_number,
     "is not a number{comma?, such as 2.5 or 2,5| written with a decimal point, such as 2.5}"},
    {Said::refused_decimal_comma, "is written with a decimal comma: write it with a point, as in 2.5"},
    {Said::refused_too_large, "is too large: a value lies between -3.4e38 and 3.4e38"},
    {Said::refused_too_small, "is too close to 0 to be held: write 0 or a larger value"},

    // The dialogue: a refused entry, with the values taken before it on its line; the
    // text typed after the sixth value.
    {Said::entry_refused,
     "The entry '{typed}' {reason}.{values? The {values} before it on its line {count|was|were} taken as "
     "{names}.|}{rest? The rest of its line was ignored.|}"},
    {Said::entry_listed, "{item}"},
    {Said::left_over, "the text '{text}{cut?...|}' after the sixth value was ignored."},
});

}  // namespace

std::span<const Template> console_templates() { return templates; }

}  // namespace zelm
