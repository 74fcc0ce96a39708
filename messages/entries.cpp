#include "messages/entries.hpp"

#include "messages/render.hpp"

#include <array>
#include <cstddef>

namespace zelm {

Diagnostic refusal_said(Refusal refusal, DecimalSeparator separator) {
    // In the order of Refusal.
    constexpr std::array ids{Said::refused_not_a_number, Said::refused_decimal_comma, Said::refused_too_large,
                             Said::refused_too_small};
    return {ids.at(static_cast<std::size_t>(refusal)),
            Field::none,
            {{"comma", Flag{separator == DecimalSeparator::point_or_comma}}}};
}

std::string refusal_reason(Refusal refusal, DecimalSeparator separator) {
    return render(refusal_said(refusal, separator));
}

std::string printable(std::string line) {
    for (char& c : line) {
        c = static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '?' : c;
    }
    return line;
}

}  // namespace zelm
