// The bytes of the result file "ZELM_FS_result.xls": Windows-1252 text, CR LF line
// ends, TAB between fields. The header keeps a decimal point; the rows use a comma.
#pragma once

#include "numbers/writing.hpp"
#include "sweep/chart_inputs.hpp"
#include "sweep/sweep.hpp"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelm {

// The header, with the values as entered (friction angle in degrees), each printed
// with one decimal and a point.
std::string header_text(const ChartInputs& entered);

// Three decimal-comma fields and the angle, each with its TAB, then CR LF.
inline constexpr std::size_t max_row_length = 3 * (max_decimal_comma_length + 1) + max_fixed_length + 3;
using RowBuffer = std::array<char, max_row_length>;

// The text of a decimal-comma cell, kept while its value stays the same.
struct CellText {
    std::optional<std::uint32_t> bits;  // the float's bit pattern the text was made from
    std::array<char, max_decimal_comma_length> text{};
    std::size_t length = 0;
};

// x is the same on every row of a run and y keeps its two-decimal value over many
// rows of a long sweep, so a sweep formats those cells only when they change.
struct RowCells {
    CellText x;
    CellText y;
};

// One row: height, x, y, angle, each followed by a TAB, then CR LF. The angle is
// rounded to whole degrees; its cell is empty when it is unknown or not finite.
std::string_view format_row(RowBuffer& buffer, const SweepRow& row);

// The same row written at out, which has room for max_row_length bytes, reusing the
// x and y cells of the previous row where they have not changed. Returns the end.
char* put_row(char* out, const SweepRow& row, RowCells& cells);

}  // namespace zelm
