// The rows of the result file "ZELM_FS_result.xls": Windows-1252 text, CR LF line
// ends, TAB between fields, decimal commas (the header, messages/header.hpp, keeps a point).
#pragma once

#include "numbers/writing.hpp"
#include "sweep/sweep.hpp"

#include <array>
#include <cstddef>
#include <cstdint>

namespace zelm {

// Writes the rows of one sweep as the result file holds them: height, x, y and angle,
// each followed by a TAB, then CR LF. Height, x and y are decimal-comma numbers; the
// angle, the chart's or the confirmed one as the run asks (or Bishop's, which a row of
// BishopAngleRows holds in the chart's place), is rounded to whole degrees,
// and its cell is empty when there is none or it is not finite. x is the same on every row and y keeps its
// two-decimal value over many rows of a long sweep, so the text of those cells is made again only when they
// change.
class RowWriter {
  public:
    // The longest row: three decimal-comma numbers and an angle, each with its TAB, and CR LF.
    static constexpr std::size_t max_length = 3 * (max_decimal_comma_length + 1) + max_fixed_length + 3;

    explicit RowWriter(Angles angles = Angles::chart) : angles_(angles) {}

    // Writes the row at out, which has room for max_length bytes; returns the end.
    char* put(char* out, const SweepRow& row);

  private:
    // The text of a decimal-comma cell, kept while its value stays the same. It starts
    // as the text of a NaN, which is empty: a plain compare of bits, no flag, decides.
    struct Cell {
        std::uint32_t bits = 0xFFFFFFFFU;  // the float's bits the text was made from
        std::array<char, max_decimal_comma_length> text{};
        std::size_t length = 0;

        char* put(char* out, float value);
    };
    Angles angles_;
    Cell x_;
    Cell y_;
};

}  // namespace zelm
