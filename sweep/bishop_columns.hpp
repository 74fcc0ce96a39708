// Bishop's simplified method beside a design run's rows, for its workbook. For each row,
// the factor of safety of the slope the row prints: as high as its printed height, at its
// printed angle, in the run's material and under the conditions given (pore water, a
// tension crack, an earthquake); and the steepest whole degree at which a slope of that
// height reaches the run's FS by the same method. A cold search for the critical circle
// takes about 0.4 ms and a row needs one to three of them; each search starts warm
// instead, from the valleys of the previous row's at the same degree, and a degree that
// reaches FS by a narrow margin is confirmed cold: a row then costs about 0.2 ms.
#pragma once

#include "slices/bishop.hpp"
#include "sweep/chart_inputs.hpp"
#include "sweep/sweep.hpp"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace zelm {

// The rows of a dry slope standing still searched cold, from the first, their cells as
// they were when no other row had them; the rows after them are searched warm.
inline constexpr std::int32_t rows_searched_cold = 2000;

// Bishop's factor of safety as the program gives it: rounded down to three decimals, the
// safe side, and no finer than what the slices and the search are good for.
double bishop_rounded(double factor_of_safety);

// A row's Bishop cells: nothing where the cell is empty.
struct BishopCells {
    std::optional<double> factor_of_safety;  // of the printed angle, rounded down
    std::optional<int> steepest;             // whole degrees, 1 to 90
};

inline constexpr std::size_t bishop_reason_count = static_cast<std::size_t>(BishopReason::no_slip_circle) + 1;

// Rows refused for a value that breaks its rule, and how the first of them breaks it.
struct BrokenRows {
    Heights rows{};
    std::optional<Violation> violation{};
};

// Why Bishop's cells of some rows are empty, and which rows.
struct BishopFindings {
    // By the place of the value that breaks its rule (bishop_rules): a value of the run
    // (the friction angle, the cohesion, the density) or the row's height, which empty
    // both cells; or the printed angle, which is no slope and empties the factor of safety.
    std::array<BrokenRows, bishop_rules.size()> broken{};
    // By the method's own reason (indexed by BishopReason; none and broken_rule unused): the
    // rules that join the run's values, which empty both cells, or the method failing on
    // the printed angle's critical circle, which empties the factor of safety.
    std::array<Heights, bishop_reason_count> refused{};
    Heights none_reaches{};        // not even 1 degree reaches the run's FS
    Heights in_tension{};          // the printed angle's critical circle in tension under the crest
    bool security_factor = false;  // the run's FS is not above 0: no steepest degree
    std::int32_t rows = 0;         // the run's rows
};

// The cells of a run's rows, taken in order from the first. The steepest degree of a row
// is looked for from the previous row's down: Bishop's factor of safety falls as the face
// steepens, and as the slope grows taller at the same angle (C' / (d H) falls), so the
// steepest degree does not grow with H. Most rows take one or two searches.
// How far above a cold search's factor of safety a warm one lands, nearly always: within
// 0.1% in 99.97% of some 56,000 slopes under water and an earthquake, 1,000 heights each,
// and beyond it only where the height grows by more than 1% a row; twice that is
// confirmed cold.
inline constexpr double warm_margin = 1.002;

// The steepest whole degree, 1 to 90, at which a slope of the height, material and
// conditions of `slope` (its face angle not read) reaches `fs` by Bishop's method, each
// degree searched cold; 0 where not even 1 degree does. The slope's values are taken as
// describing one (values_checked). Some ten searches, halving the gap between a degree
// that reaches and one that does not; but under a water table that meets the ground a
// distance behind the toe, where a steeper face may stand further above the water and
// reach what a flatter one does not, each degree in turn from 90 down.
int steepest_reaching(const HomogeneousSlope& slope, double fs, const CircleSearch& search = {});

// The slope a row stands for, as its Bishop cells answer it: as high as the row's height
// printed (to the hundredth), in the run's material and under its conditions at that
// height; its face at 45 degrees, for the caller to set to the row's printed angle.
HomogeneousSlope row_slope(const ChartInputs& entered, const SweepRow& row);

class BishopColumns {
  public:
    // `rows`: how many the run has. The slope stands under the run's conditions
    // (entered.conditions): a water table given in heights is as many of each row's, the
    // rest the same on every row, the unit weight of water in the run's units.
    BishopColumns(const ChartInputs& entered, std::int32_t rows, const CircleSearch& search = {});

    BishopCells next(const SweepRow& row);

    const BishopFindings& findings() const { return findings_; }

    // The searches of the rows under conditions: started warm, cold to refresh the valleys
    // followed, and cold from the start.
    struct Searches {
        int warm;
        int refreshing;
        int cold;
        int confirming;  // cold, of a degree a warm search found reaching FS by a narrow margin
    };
    Searches searches() const;

  private:
    // The critical circle at the slope's face angle, a whole degree: warm where the slope
    // is under conditions, from the last search at that degree.
    BishopResult critical(const HomogeneousSlope& slope);
    // Whether the slope `at` reaches FS: by the answer already known at its degree, or
    // searched for it.
    bool reaches_fs(const HomogeneousSlope& at, const std::optional<BishopResult>& known, double fs);
    WarmStart& start_at(double face_angle);
    // Whether the slope's searches start warm.
    bool searched_warm(const HomogeneousSlope& slope) const;

    ChartInputs entered_;
    CircleSearch search_;
    std::array<WarmStart, 91> warm_{};  // by degree
    std::optional<int> previous_;       // the previous row's steepest degree (0: none reached)
    double previous_height_ = 0.0;
    std::int32_t taken_ = 0;  // rows taken so far
    BishopFindings findings_;
};

}  // namespace zelm
