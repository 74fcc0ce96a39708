#include "sweep/bishop_columns.hpp"

#include "numbers/writing.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zelm {
namespace {

// One more row among `rows`, at `height`.
void note(Heights& rows, float height) {
    rows.first = rows.rows == 0 ? height : rows.first;
    rows.last = height;
    ++rows.rows;
}

// One more row refused by the method, under the value or the reason that refused it.
void note_refused(BishopFindings& findings, const BishopResult& result, float height) {
    if (result.violation) {
        BrokenRows& broken = findings.broken.at(result.violation->position);
        if (!broken.violation) {
            broken.violation = result.violation;
        }
        note(broken.rows, height);
    } else {
        note(findings.refused.at(static_cast<std::size_t>(result.reason)), height);
    }
}

// The steepest whole degree from 1 to `most` that reaches the FS; 0 where not even 1
// degree reaches. Where reaches(degree) holds up to some degree and not beyond: `most`
// first, then down by 1, 2, 4... degrees until one reaches, then halving the gap between
// it and the last that did not. Otherwise each degree in turn from `most` down.
template <typename Reaches>
int steepest_degree(int most, bool up_to_some_degree, Reaches&& reaches) {
    if (most < 1 || reaches(most)) {
        return std::max(most, 0);
    }
    if (!up_to_some_degree) {
        int degree = most - 1;
        while (degree > 0 && !reaches(degree)) {
            --degree;
        }
        return degree;
    }
    int failing = most;
    int reaching = 0;
    for (int step = 1; failing > 1 && reaching == 0; step *= 2) {
        const int degree = std::max(1, failing - step);
        (reaches(degree) ? reaching : failing) = degree;
    }
    while (failing - reaching > 1) {
        const int middle = (failing + reaching) / 2;
        (reaches(middle) ? reaching : failing) = middle;
    }
    return reaching;
}

// Bishop's factor of safety falls as the face steepens, but under a water table that
// meets the ground a given distance behind the toe: a steeper face stands further above
// the water, and may reach a FS that a flatter one, wet to its face, does not.
bool falls_as_the_face_steepens(const SlopeConditions& on) { return on.water != PoreWater::phreatic; }

}  // namespace

double bishop_rounded(double factor_of_safety) {
    const double thousandths = std::floor(factor_of_safety * 1000.0);
    return std::isfinite(thousandths) ? thousandths / 1000.0 : factor_of_safety;
}

int steepest_reaching(const HomogeneousSlope& slope, double fs, const CircleSearch& search) {
    return steepest_degree(90, falls_as_the_face_steepens(slope.conditions), [&](int degree) {
        HomogeneousSlope at = slope;
        at.face_angle = degree;
        const BishopResult result = critical_circle(at, search);
        return result.reason == BishopReason::none && result.factor_of_safety >= fs;
    });
}

BishopColumns::BishopColumns(const ChartInputs& entered, std::int32_t rows, const CircleSearch& search)
    : entered_(entered), search_(search) {
    findings_.rows = rows;
}

// A dry slope standing still is searched cold, its cells as they always were; under
// conditions the cells may differ from a cold search's in the last decimal, within the
// search's own tolerance.
BishopResult BishopColumns::critical(const HomogeneousSlope& slope) {
    if (dry_and_still(slope.conditions)) {
        return critical_circle(slope, search_);
    }
    const auto degree = static_cast<std::size_t>(std::clamp(slope.face_angle, 0.0, 90.0));
    return critical_circle(slope, search_, warm_.at(degree));
}

BishopColumns::Searches BishopColumns::searches() const {
    Searches count{0, 0, 0, cold_confirmed_};
    for (const WarmStart& start : warm_) {
        count.warm += start.warm;
        count.refreshing += start.refreshed;
        count.cold += start.cold;
    }
    return count;
}

// A degree reaches the FS where the method answers there and its answer is at least FS.
// A warm search may land up to about 0.6% above the cold one: a degree that reaches FS by
// less than that is searched cold, so that the steepest degree is never steeper than a
// cold search allows.
bool BishopColumns::reaches_fs(const HomogeneousSlope& at, const std::optional<BishopResult>& known,
                               double fs) {
    BishopResult result = known ? *known : critical(at);
    if (result.reason == BishopReason::none && result.factor_of_safety >= fs && search_.warm &&
        !dry_and_still(at.conditions) && result.factor_of_safety < fs * warm_margin + 0.001) {
        result = critical_circle(at, search_);
        ++cold_confirmed_;
    }
    return result.reason == BishopReason::none && result.factor_of_safety >= fs;
}

BishopCells BishopColumns::next(const SweepRow& row) {
    note(findings_.filled, row.height);
    BishopCells cells;
    // The slope as the row prints it: its height to the hundredth, its angle in whole degrees.
    const auto printed_height = decimal_comma(row.height);
    const double height = printed_height ? printed_height->value() : std::numeric_limits<double>::quiet_NaN();
    HomogeneousSlope slope{height,
                           45.0,
                           entered_.friction_angle,
                           entered_.cohesion,
                           entered_.density,
                           conditions_at(entered_.conditions, height)};
    if (const BishopResult values = values_checked(slope); values.reason != BishopReason::none) {
        note_refused(findings_, values, row.height);
        previous_.reset();
        return cells;
    }
    std::optional<BishopResult> printed;
    if (!has_empty_angle(row)) {
        slope.face_angle = whole_value(*row.angle);
        printed = critical(slope);
        if (printed->reason == BishopReason::none) {
            cells.factor_of_safety = bishop_rounded(printed->factor_of_safety);
            if (in_tension(*printed)) {
                note(findings_.in_tension, row.height);
            }
        } else {
            note_refused(findings_, *printed, row.height);
        }
    }
    const auto fs = static_cast<double>(entered_.security_factor);
    if (!(fs > 0.0 && std::isfinite(fs))) {
        findings_.security_factor = true;
        return cells;
    }
    const auto reaches = [&](int degree) {
        const bool at_printed = printed && slope.face_angle == static_cast<double>(degree);
        HomogeneousSlope at = slope;
        at.face_angle = degree;
        return reaches_fs(at, at_printed ? printed : std::nullopt, fs);
    };
    const bool taller = previous_ && slope.height >= previous_height_;
    const int steepest =
        steepest_degree(taller ? *previous_ : 90, falls_as_the_face_steepens(slope.conditions), reaches);
    previous_ = steepest;
    previous_height_ = slope.height;
    if (steepest > 0) {
        cells.steepest = steepest;
    } else {
        note(findings_.none_reaches, row.height);
    }
    return cells;
}

}  // namespace zelm
