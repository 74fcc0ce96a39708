// Chart 1's slope angles read once on the chart's own grid, for a caller that reads the
// chart millions of times with an x and a y that change from one reading to the next (a
// probabilistic study, a table of friction angles and cohesions). The sweep reads the
// chart at x and y rounded to hundredths, so the angles on that grid are few: each is
// taken here from pente itself and kept, bit for bit, and a reading on the grid costs a
// look-up instead of six row searches and three powers.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace zelm {

class Chart1Grid {
  public:
    Chart1Grid();

    // pente(x, y), bit for bit: from the table for a y that is the float of k / 100 with
    // k from 0 up to where every row stands at 90 degrees, from pente itself for any
    // other y (negative, not a number, off the grid, or beyond every threshold).
    std::optional<float> angle(float x, float y) const;

  private:
    // A key of chart 1 (its hundredths of x) as the grid holds it.
    struct Key {
        std::uint32_t x_bits;  // the float of key / 100, the x on the grid that reads it
        std::int32_t row;      // the grid's row of its angles, or -1 where chart 1 has none
    };
    std::int32_t first_key_ = 0;
    std::vector<Key> keys_;              // from first_key_ on, one per hundredth of x
    std::vector<std::uint32_t> y_bits_;  // the grid's y, the float of k / 100, for k from 0 on
    std::vector<float> angles_;          // y_bits_.size() angles for each row, row by row
};

// The grid, made on first use and constant from then on.
const Chart1Grid& chart1_grid();

}  // namespace zelm
