#include "result/text_rows.hpp"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>

namespace zelm {
namespace {

char* put_text(char* out, std::string_view text) { return std::copy(text.begin(), text.end(), out); }

}  // namespace

char* RowWriter::Cell::put(char* out, float value) {
    const std::uint32_t value_bits = bits_of(value);
    if (bits != value_bits) {
        length = static_cast<std::size_t>(put_decimal_comma(text.data(), value) - text.data());
        bits = value_bits;
    }
    return std::copy_n(text.data(), length, out);
}

char* RowWriter::put(char* out, const SweepRow& row) {
    out = put_decimal_comma(out, row.height);
    *out++ = '\t';
    out = x_.put(out, row.x);
    *out++ = '\t';
    out = y_.put(out, row.y);
    *out++ = '\t';
    const std::optional<float>& angle = angles_ == Angles::confirmed ? row.confirmed : row.angle;
    if (angle && std::isfinite(*angle)) {
        out = put_whole(out, *angle);
    }
    return put_text(out, "\t\r\n");
}

}  // namespace zelm
