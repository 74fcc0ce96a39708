#include "result/text_format.hpp"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <string>

namespace zelm {
namespace {

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
