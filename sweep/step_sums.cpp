#include "sweep/step_sums.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace zelm {
namespace {

// Rows added in one leap, and the height they reach.
struct Leap {
    std::int32_t rows = 0;
    float height = 0.0F;
};

// The rows a positive step adds the same amount to a positive height, up to `rows_left`,
// before the sum crosses into the next binade; none where the next row must be added by
// itself: a step that adds nothing (or only through a tie), or one that crosses at once.
Leap leap_within_binade(float height, float step, std::int32_t rows_left) {
    if (!(height > 0.0F) || !std::isfinite(height) || !(step > 0.0F) || !std::isfinite(step)) {
        return {};
    }
    // The spacing of floats at the height, u = 2^p, holds up to top = 2^24 u: the binade of
    // the height, and for a subnormal height the subnormals and the first binade. Counted in
    // g = u / 2^25, the height, the top and a step above u/2 are whole numbers below 2^50.
    const int p = std::max(std::ilogb(height), -126) - 23;
    const auto in_g = [p](float value) {
        return std::llround(std::ldexp(static_cast<double>(value), 25 - p));
    };
    constexpr std::int64_t unit = std::int64_t{1} << 25;  // u
    constexpr std::int64_t top = std::int64_t{1} << 49;
    constexpr std::int64_t binade = std::int64_t{1} << 24;  // the top, in u
    if (!(static_cast<double>(step) > std::ldexp(0.5, p)) ||
        !(static_cast<double>(step) < std::ldexp(1.0, p + 24))) {
        return {};
    }
    const std::int64_t h = in_g(height);
    const std::int64_t s = in_g(step);
    const std::int64_t k = h / unit;  // the height in u
    // Each step adds the step rounded to a multiple of u: the nearest, and on a tie the one
    // that leaves the height even. An odd height is made even by one step on its own; from
    // an even one, every step adds the same even amount.
    const std::int64_t whole = s / unit;
    const std::int64_t rest = s % unit;
    std::int64_t add = whole + (rest > unit / 2 ? 1 : 0);
    if (rest == unit / 2) {
        if (k % 2 != 0) {
            return {};
        }
        add = whole + whole % 2;
    }
    // Step j (from 0) adds that much while the exact sum h + j add u + s stays below the top;
    // one that rounds up onto the top lands there exactly.
    const std::int64_t room = top - s - h;
    if (room <= 0) {
        return {};
    }
    std::int64_t rows = std::min<std::int64_t>((room + add * unit - 1) / (add * unit), rows_left);
    // At the top of the largest binade the sum rounds to infinity instead: that row goes by itself.
    if (p == 127 - 23 && k + rows * add >= binade) {
        rows = (binade - 1 - k) / add;
    }
    if (rows <= 0) {
        return {};
    }
    return {static_cast<std::int32_t>(rows),
            static_cast<float>(std::ldexp(static_cast<double>(k + rows * add), p))};
}

// sum_steps for a step of 0 or more, from a start of 0 or more.
StepSums add_up(float step, std::int32_t rows, float start) {
    StepSums sums{start, 0};
    for (std::int32_t row = 0; row < rows;) {
        const Leap leap = leap_within_binade(sums.last, step, rows - row);
        if (leap.rows > 0) {
            row += leap.rows;
            sums = {leap.height, row};
            continue;
        }
        const float next = sums.last + step;
        ++row;
        if (std::isnan(next)) {  // a NaN never equals the row before it
            return {next, rows};
        }
        if (next == sums.last) {  // the same sum again on every later row
            break;
        }
        sums = {next, row};
    }
    return sums;
}

}  // namespace

StepSums sum_steps(float step, std::int32_t rows, float start) {
    // A negative step is the mirror image: rounding to nearest treats both signs alike.
    const float sign = step < 0.0F ? -1.0F : 1.0F;
    StepSums sums = add_up(sign * step, rows, sign * start);
    sums.last *= sign;
    return sums;
}

}  // namespace zelm
