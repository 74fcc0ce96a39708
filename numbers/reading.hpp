// Reading a typed value: the one rule every way in applies to an entry.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zelm {

// Why an entry was refused.
enum class Refusal {
    not_a_number,   // anything but a decimal number: "abc", "inf", "0x10", "2.5.1"
    decimal_comma,  // a number written with a decimal comma where a point is wanted: "2,5"
    too_large,      // beyond the largest float, about 3.4e38: "1e39"
    too_small,      // nearer to 0 than a float can hold apart from 0 itself: "1e-50"
};

// What stands between the whole part and the fraction: a point, as the console and the
// command line take numbers; or a point or a comma, as a form on a page takes them.
enum class DecimalSeparator { point, point_or_comma };

struct Entry {
    std::optional<float> value;               // the float nearest to the number typed
    Refusal refusal = Refusal::not_a_number;  // why there is no value
};

// The value of one typed entry: the whole token must be a decimal number with a point
// as separator (sign, digits, point, fraction and exponent optional, as a C "%f"
// conversion reads them) within the float range. With point_or_comma, a comma may
// stand for the point ("2,5" reads 2.5).
Entry read_entry(std::string_view token, DecimalSeparator separator = DecimalSeparator::point);

// A whole number written in decimal digits alone (no sign, no blank), from `least` to
// `most`; none otherwise.
std::optional<std::uint64_t> read_whole_number(std::string_view token, std::uint64_t least,
                                               std::uint64_t most);

}  // namespace zelm
