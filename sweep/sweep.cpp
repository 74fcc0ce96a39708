#include "sweep/sweep.hpp"

#include <cmath>
#include <cstdint>

namespace zelm {

Sweep::Sweep(const ChartInputs& entered)
    : entered_(entered),
      rows_(row_count(entered.height, entered.definition)),
      phi_(to_radians(entered.friction_angle)),
      // phi and FS stay the same, so x and tan(phi) are the same on every row.
      tan_phi_(std::tan(static_cast<double>(phi_))),
      current_{0.0F, arrondir(A(phi_, entered.security_factor), 2), 0.0F, std::nullopt, std::nullopt} {
    summary_.x = current_.x;
}

float to_radians(float degrees) {
    constexpr float pi = 3.14159274F;  // the float nearest to pi, 0x40490FDB
    return static_cast<float>(static_cast<double>(degrees) * static_cast<double>(pi) / 180.0);
}

std::int32_t row_count(float height, float step) {
    const double quotient = static_cast<double>(height) / static_cast<double>(step);
    double rows = std::trunc(quotient);
    // A double quotient can round up onto a whole number that the exact quotient stays
    // just below (possible from about 2^29 rows on). The fused multiply-add gives the
    // exact sign of rows * step - height, which tells whether that happened.
    if (rows == quotient) {
        const double excess = std::fma(rows, static_cast<double>(step), -static_cast<double>(height));
        if ((step > 0.0F && excess > 0.0) || (step < 0.0F && excess < 0.0)) {
            rows -= 1.0;
        }
    }
    if (!(rows >= 1.0 && rows < 0x1p31)) {  // within 32 bits; also false for NaN
        return 0;
    }
    return static_cast<std::int32_t>(rows);
}

void Sweep::read_the_chart() {
    looked_up_y_ = bits_of(current_.y);
    if (const auto verdict = pente(*entered_.chart, current_.x, current_.y)) {
        current_.angle = verdict;
    }
    // What the check says of the printed angle changes with y alone too; it has something
    // to say only of values that describe a slope. A sweep reads few y's, each from the
    // chart itself: the grid would cost a short run more.
    printed_ = describes_a_slope(entered_.friction_angle, entered_.cohesion, entered_.density,
                                 current_.height, entered_.security_factor)
                   ? check_printed(ChartGrid::AtY::untabled(*entered_.chart, current_.y), phi_,
                                   entered_.security_factor, current_.x, current_.angle)
                   : PrintedCheck{};
    current_.confirmed = printed_.confirmed;
    ++y_run_;
}

void Sweep::note_crossed_row() {
    Crossings& crossings = summary_.crossings;
    if (crossed_y_run_ != y_run_) {
        crossed_y_run_ = y_run_;
        const bool same = crossings.runs > 0 && crossed_row_ + 1 == summary_.rows &&
                          last_crossed_.printed == printed_.printed &&
                          last_crossed_.confirmed == printed_.confirmed &&
                          last_crossed_.answer.row == printed_.answer.row;
        if (!same) {
            ++crossings.runs;
            last_crossed_ = {{}, printed_.printed, printed_.confirmed, printed_.answer};
        }
    }
    for (Heights* heights : {&last_crossed_.heights, &crossings.rows}) {
        heights->first = heights->rows == 0 ? current_.height : heights->first;
        heights->last = current_.height;
        ++heights->rows;
    }
    crossed_row_ = summary_.rows;
    crossings.below_chart = crossings.below_chart || printed_.answer.verdict == Verdict::below_chart;
    if (crossings.runs <= Crossings::named) {
        crossings.first[static_cast<std::size_t>(crossings.runs - 1)] = last_crossed_;
    }
}

}  // namespace zelm
