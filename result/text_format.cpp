#include "result/text_format.hpp"

#include "chart/coordinates.hpp"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

namespace zelm {
namespace {

// "%.*f" with a point, written by std::to_chars: locale-independent, exact, and
// rounding an exact half to even as the C library's printf does on Linux and on
// Windows (a security factor of 1.25 prints 1.2, an angle of 12.5 prints 12).
char* put_fixed(char* out, float value, int decimals) {
    return std::to_chars(out, out + max_fixed_length, value, std::chars_format::fixed, decimals).ptr;
}

// "%.0f" as put_fixed(out, value, 0) writes it, minus sign of a negative value that
// rounds to 0 included ("-0"). Below 2^31 the rounding is nearbyint's, to nearest
// with an exact half to even, and the whole number is printed as an integer: the
// same bytes at a fraction of the cost, which counts at one call per cell of a sweep.
char* put_whole(char* out, float value) {
    const float magnitude = std::fabs(value);
    if (!(magnitude < 2147483648.0F)) {  // also for NaN and infinities
        return put_fixed(out, value, 0);
    }
    if (std::signbit(value)) {
        *out++ = '-';
    }
    const auto whole = static_cast<std::uint32_t>(std::nearbyint(magnitude));
    return std::to_chars(out, out + max_fixed_length, whole).ptr;
}

char* put_text(char* out, std::string_view text) {
    for (const char c : text) {
        *out++ = c;
    }
    return out;
}

// The cell's text, formed again only when the value's bits differ from the last one.
char* put_cell(char* out, CellText& cell, float v) {
    const auto bits = std::bit_cast<std::uint32_t>(v);
    if (cell.bits != bits) {
        cell.length = static_cast<std::size_t>(put_decimal_comma(cell.text.data(), v) - cell.text.data());
        cell.bits = bits;
    }
    return std::copy_n(cell.text.data(), cell.length, out);
}

std::string header_line(std::string_view before, float value, std::string_view after) {
    std::array<char, max_fixed_length> digits{};
    char* end = put_fixed(digits.data(), value, 1);
    std::string line(before);
    line.append(digits.data(), end);
    line.append(after);
    return line;
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

char* put_decimal_comma(char* out, float v) {
    if (!std::isfinite(v)) {
        return out;
    }
    const float magnitude = std::fabs(v);
    // Integer part by truncation; beyond the 32-bit range the magnitude is itself a
    // whole number and comes back unchanged.
    float integer_part = tronquer(magnitude, 0);
    // Hundredths: the fraction times 100, rounded to float, then to the nearest whole
    // number with an exact half going to even, as "%.0f" does. For 2.1 the fraction is
    // 0.0999999 and the hundredths 9.99999, which print 10.
    const float hundredths = decimale(magnitude) * 100.0F;
    auto digits = static_cast<int>(std::nearbyint(hundredths));
    if (digits == 100) {  // 2.9999998: the fraction rounds up to a whole unit
        integer_part += 1.0F;
        digits = 0;
    }
    *out++ = ' ';
    if (v < 0.0F && (integer_part > 0.0F || digits > 0)) {
        *out++ = '-';
    }
    out = put_whole(out, integer_part);
    *out++ = ',';
    *out++ = static_cast<char>('0' + digits / 10);
    *out++ = static_cast<char>('0' + digits % 10);
    return out;
}

std::string_view format_row(RowBuffer& buffer, const SweepRow& row) {
    RowCells cells;
    const char* end = put_row(buffer.data(), row, cells);
    return {buffer.data(), static_cast<std::size_t>(end - buffer.data())};
}

char* put_row(char* out, const SweepRow& row, RowCells& cells) {
    out = put_decimal_comma(out, row.height);
    *out++ = '\t';
    out = put_cell(out, cells.x, row.x);
    *out++ = '\t';
    out = put_cell(out, cells.y, row.y);
    *out++ = '\t';
    if (!has_empty_angle(row)) {
        out = put_whole(out, *row.angle);
    }
    return put_text(out, "\t\r\n");
}

}  // namespace zelm
