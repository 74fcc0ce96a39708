// The heights of a run are sums of its step, one row after another, each rounded to a
// float: where the step falls below half the spacing of floats at the height, the sum
// stops growing and every later row repeats that height. Where that happens is found
// here before the first row, without adding up every row.
#pragma once

#include <cstdint>

namespace zelm {

struct StepSums {
    float last = 0.0F;  // the height of the last row
    // The row, counted from 1, that first reaches the last height: the rows after it
    // repeat that height, the step no longer adding to it. The last row itself where
    // every row grows.
    std::int32_t reached = 0;
};

// The heights of `rows` rows from `start` (0 for a run): each the one before plus
// `step`, rounded to float, as the sweep adds them. `start` is 0 or of the step's sign.
// Within a binade the spacing of floats is constant, so every step there adds the same
// rounded amount once a tie has made the height even; the sums leap over such a stretch
// and are added one by one only where they cross into the next binade, a few hundred
// additions for any run.
StepSums sum_steps(float step, std::int32_t rows, float start = 0.0F);

}  // namespace zelm
