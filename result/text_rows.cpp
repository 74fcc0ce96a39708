#include "result/text_format.hpp"

#include <algorithm>
#include <string_view>

namespace zelm {
namespace {

char* put_text(char* out, std::string_view text) { return std::copy(text.begin(), text.end(), out); }

std::string header_line(std::string_view before, float value, std::string_view after) {
    return std::string(before) + fixed(value, 1) + std::string(after);
}

}  // namespace

std::string header_text(const ChartInputs& entered) {
    // The labels are Catalan; \xE0 is the Windows-1252 byte of a-grave and \xF3 of
    // o-acute, written as bytes so that the file does not depend on the source's encoding.
    return header_line("Par\xE0metres\tdensitat\t", entered.density, "\tTn/m3\r\n") +
           header_line("geomec\xE0nics\tAngle\t", entered.friction_angle, "\tgraus\r\n") +
           header_line("\tCohesi\xF3\t", entered.cohesion, "\tTn/m2\r\n\r\n") +
           header_line("ABAC 1\tFS ", entered.security_factor, "\r\n") +
           "H\tTg (Phi)/FS=\tC'/(d*H*Tg Phi)\tangle\r\n";
}

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
    if (!has_empty_angle(row)) {
        out = put_whole(out, *row.angle);
    }
    return put_text(out, "\t\r\n");
}

}  // namespace zelm
