// The page's sentences, for its script to fill with numbers and texts it holds: the
// script says nothing in words of its own.
#pragma once

#include "chart/design_chart.hpp"
#include "messages/units.hpp"

#include <string>
#include <string_view>
#include <vector>

namespace zelm {

// A sentence of the page under its key, as a template: each {slot} is filled by the
// script with a number it has formatted (a {count}, a {size}, an {fs} as printed) or a
// text it holds (a refusal's reason, a line of the program's, another sentence of these
// ones). One that says a count comes in two forms, for one and for any other number.
struct PageSentence {
    std::string_view key;
    std::string one;     // the only form, or the form for a count of one
    std::string many{};  // the form for any other count; empty for a sentence of one form
};

// The sentences of a page whose check reads `chart`.
std::vector<PageSentence> page_sentences(const DesignChart& chart);

// A choice of units as the page's forms offer it: "kPa, kN/m3".
std::string units_offered(const UnitLabels& labels);

}  // namespace zelm
