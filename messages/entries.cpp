#include "messages/entries.hpp"

#include <array>

namespace zelm {
namespace {

// The six values, as a refusal names them, in the order the dialogue asks for them.
constexpr std::array<std::string_view, 6> value_names{"the friction angle", "the cohesion",
                                                      "the density",        "the height of the talus",
                                                      "the definition",     "the security factor"};

// "a", "a and b", "a, b and c".
template <typename Item, typename Text>
std::string listed(const std::vector<Item>& items, Text text) {
    std::string list;
    for (std::size_t i = 0; i < items.size(); ++i) {
        list.append(i == 0 ? "" : i + 1 == items.size() ? " and " : ", ").append(text(items[i]));
    }
    return list;
}

// A typed text quoted in a line of its own: control characters shown as '?'.
std::string quoted(std::string text) {
    for (char& c : text) {
        c = static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '?' : c;
    }
    return "'" + text + "'";
}

}  // namespace

std::string_view refusal_reason(Refusal refusal, DecimalSeparator separator) {
    switch (refusal) {
        case Refusal::too_large:
            return "is too large: a value lies between -3.4e38 and 3.4e38";
        case Refusal::too_small:
            return "is too close to 0 to be held: write 0 or a larger value";
        case Refusal::decimal_comma:
            return "is written with a decimal comma: write it with a point, as in 2.5";
        case Refusal::not_a_number:
            break;
    }
    return separator == DecimalSeparator::point_or_comma
               ? "is not a number, such as 2.5 or 2,5"
               : "is not a number written with a decimal point, such as 2.5";
}

std::string entry_refused(const std::string& token, Refusal refusal, const std::vector<TakenValue>& taken,
                          bool rest_ignored) {
    std::string line = "The entry " + quoted(token) + " " + std::string(refusal_reason(refusal)) + ".";
    if (!taken.empty()) {
        line += " The " + listed(taken, [](const TakenValue& v) { return v.typed; }) +
                " before it on its line " + (taken.size() == 1 ? "was" : "were") + " taken as " +
                listed(taken, [](const TakenValue& v) { return std::string(value_names.at(v.value)); }) + ".";
    }
    return line + (rest_ignored ? " The rest of its line was ignored." : "");
}

std::string left_over_warning(const std::string& left_over) {
    // A long text is quoted by its beginning, cut before a whole character (not within
    // the bytes of one in UTF-8).
    constexpr std::size_t most_quoted = 60;
    if (left_over.size() <= most_quoted) {
        return "the text " + quoted(left_over) + " after the sixth value was ignored.";
    }
    std::size_t cut = most_quoted;
    while (cut > 0 && (static_cast<unsigned char>(left_over[cut]) & 0xC0U) == 0x80U) {
        --cut;
    }
    return "the text " + quoted(left_over.substr(0, cut) + "...") + " after the sixth value was ignored.";
}

}  // namespace zelm
