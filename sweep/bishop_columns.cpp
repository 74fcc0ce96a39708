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

HomogeneousSlope row_slope(const ChartInputs& entered, const SweepRow& row) {
    const auto printed_height = decimal_comma(row.height);
    const double height = printed_height ? printed_height->value() : std::numeric_limits<double>::quiet_NaN();
    return {height,
            45.0,
            entered.friction_angle,
            entered.cohesion,
            entered.density,
            conditions_at(entered.conditions, height)};
}

BishopColumns::BishopColumns(const ChartInputs& entered, std::int32_t rows, const CircleSearch& search)
    : entered_(entered), search_(search) {
    findings_.rows = rows;
}

bool BishopColumns::searched_warm(const HomogeneousSlope& slope) const {
    return search_.warm && !(dry_and_still(slope.conditions) && taken_ <= rows_searched_cold);
}

// The first rows of a dry slope standing still are searched cold, their cells as they
// always were; a warm search's cells may differ from a cold one's in the last decimal.
BishopResult BishopColumns::critical(const HomogeneousSlope& slope) {
    if (!searched_warm(slope)) {
        return critical_circle(slope, search_);
    }
    return critical_circle(slope, search_, start_at(slope.face_angle));
}

// The warm start of a degree; one not searched yet starts from the valleys of the degree
// beside it, where the circles of a face a degree steeper or flatter lie.
WarmStart& BishopColumns::start_at(double face_angle) {
    const auto degree = static_cast<std::size_t>(std::clamp(face_angle, 0.0, 90.0));
    WarmStart& start = warm_.at(degree);
    for (const std::size_t beside : {degree + 1, degree - 1}) {
        if (start.count == 0 && beside < warm_.size() && warm_.at(beside).count > 0) {
            const WarmStart& from = warm_.at(beside);
            start.valleys = from.valleys;
            start.count = from.count;
            start.height = from.height;
        }
    }
    return start;
}

BishopColumns::Searches BishopColumns::searches() const {
    Searches count{0, 0, 0, 0};
    for (const WarmStart& start : warm_) {
        count.confirming += start.afresh;
        count.warm += start.warm;
        count.refreshing += start.refreshed;
        count.cold += start.cold;
    }
    return count;
}

// A degree reaches the FS where the method answers there and its answer is at least FS.
// A degree that a warm search finds reaching FS by less than warm_margin is searched cold,
// the valleys it finds followed from there, so that the steepest degree is the one a cold
// search gives: in 60,000 rows under water, cracks and earthquakes, never a degree steeper.
bool BishopColumns::reaches_fs(const HomogeneousSlope& at, const std::optional<BishopResult>& known,
                               double fs) {
    BishopResult result = known ? *known : critical(at);
    if (result.reason == BishopReason::none && result.factor_of_safety >= fs && searched_warm(at) &&
        result.factor_of_safety < fs * warm_margin) {
        result = critical_circle_afresh(at, search_, start_at(at.face_angle));
    }
    return result.reason == BishopReason::none && result.factor_of_safety >= fs;
}

BishopCells BishopColumns::next(const SweepRow& row) {
    ++taken_;
    BishopCells cells;
    // The slope as the row prints it: its height to the hundredth, its angle in whole degrees.
    HomogeneousSlope slope = row_slope(entered_, row);
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
