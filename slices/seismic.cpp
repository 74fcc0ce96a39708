// The horizontal seismic coefficient that brings a slope to the point of failure: the
// critical circle's factor of safety, which falls as kh grows, brought to 1 by the
// Illinois variant of the false position method on kh.
#include "slices/bishop.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zelm {
namespace {

constexpr double not_a_number = std::numeric_limits<double>::quiet_NaN();
// The largest kh tried, just below the rule's bound of 1, an acceleration of gravity.
constexpr double highest_kh = 0.99;

// The critical circle at kh, and its factor of safety less 1.
struct Shaken {
    double kh;
    BishopResult result;
    double excess;
};

Shaken shaken(HomogeneousSlope slope, const CircleSearch& search, double kh) {
    slope.conditions.seismic_coefficient = kh;
    const BishopResult result = critical_circle(slope, search);
    return {kh, result, result.reason == BishopReason::none ? result.factor_of_safety - 1.0 : not_a_number};
}

// The false position between a kh where FS is above 1 and one where it is not: the next kh
// where the line between them crosses 1, the end that stays twice running weighed half
// (Illinois) so that both ends close in. The kh whose FS comes nearest 1.
CriticalKh between(const HomogeneousSlope& slope, const CircleSearch& search, Shaken above, Shaken below) {
    Shaken nearest = std::abs(above.excess) < std::abs(below.excess) ? above : below;
    double weight_above = above.excess;
    double weight_below = below.excess;
    int stayed = 0;  // 1: the end above stayed last, -1: the end below
    for (int step = 0; step < 60 && std::abs(nearest.excess) > 1e-4 && below.kh - above.kh > 1e-12; ++step) {
        const double kh = below.kh - weight_below * (below.kh - above.kh) / (weight_below - weight_above);
        const Shaken at = shaken(slope, search, kh);
        if (at.result.reason != BishopReason::none) {
            return {not_a_number, false, at.result};
        }
        nearest = std::abs(at.excess) < std::abs(nearest.excess) ? at : nearest;
        if (at.excess > 0.0) {
            above = at;
            weight_above = at.excess;
            weight_below *= stayed == -1 ? 0.5 : 1.0;
            stayed = -1;
        } else {
            below = at;
            weight_below = at.excess;
            weight_above *= stayed == 1 ? 0.5 : 1.0;
            stayed = 1;
        }
    }
    return {nearest.kh, false, nearest.result};
}

}  // namespace

CriticalKh critical_kh(const HomogeneousSlope& slope, const CircleSearch& search) {
    Shaken above = shaken(slope, search, 0.0);
    if (above.result.reason != BishopReason::none || above.excess < 0.0) {
        return {not_a_number, above.result.reason == BishopReason::none, above.result};
    }
    // kh doubled from a tenth until FS is no longer above 1.
    Shaken below = shaken(slope, search, 0.1);
    while (below.excess > 0.0 && below.kh < highest_kh) {
        above = below;
        below = shaken(slope, search, std::min(highest_kh, 2.0 * below.kh));
    }
    if (below.result.reason != BishopReason::none) {
        return {not_a_number, false, below.result};
    }
    if (below.excess > 0.0) {
        return {not_a_number, false, below.result};
    }
    return between(slope, search, above, below);
}

}  // namespace zelm
