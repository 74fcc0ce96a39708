// The sweep over heights: one row of the result file per height step, from one step
// up to the height of the talus.
#pragma once

#include "chart/coordinates.hpp"
#include "chart/design_chart.hpp"
#include "chart/float_bits.hpp"
#include "entries/rules.hpp"
#include "sweep/chart_inputs.hpp"
#include "sweep/printed_check.hpp"

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>

namespace zelm {

struct SweepRow {
    float height;
    float x;  // tan(phi)/FS on the two-decimal grid
    float y;  // C'/(d*H*tan(phi)) on the two-decimal grid
    // The slope angle of the latest row that had a verdict: a row without one keeps
    // the angle before it. Nothing while no row of the run has had a verdict.
    std::optional<float> angle;
    // The steepest whole degree that the check of a slope at this height confirms at
    // the run's FS (confirmed_angle): nothing outside the fitted rows, or where the row
    // has no angle.
    std::optional<float> confirmed;
};

// True when the row's angle cell is empty: the chart gave no angle for the run's x.
inline bool has_empty_angle(const SweepRow& row) { return !row.angle || !std::isfinite(*row.angle); }

// Rows of one kind: how many, and the heights of the first and the last of them.
struct Heights {
    std::int32_t rows = 0;
    float first = 0.0F;
    float last = 0.0F;
};

// Rows next to each other whose printed angle checks below the run's FS by more than
// crossing_margin, and checks the same.
struct CrossedRows {
    Heights heights;
    float printed = 0.0F;            // the angle the file prints
    std::optional<float> confirmed;  // the steepest whole degree the check confirms
    CheckAnswer answer;              // the check of a slope at the printed angle
};

// The rows of a run whose printed angle checks short of its FS: the first few runs of
// them, and all of them.
struct Crossings {
    static constexpr std::int32_t named = 5;
    std::array<CrossedRows, named> first;
    std::int32_t runs = 0;     // runs of such rows, named or not
    Heights rows;              // all of them
    bool below_chart = false;  // some check only "FS below" the chart's smallest
};

// What a whole sweep gave, for the warnings after the run.
struct SweepSummary {
    std::int32_t rows = 0;           // the rows written
    float last_height = 0.0F;        // H of the last row
    float x = 0.0F;                  // the run's x on the two-decimal grid
    Heights with_angle;              // the rows whose angle cell holds an angle
    Heights empty;                   // the rows whose angle cell is empty
    Heights unconfirmed;             // the rows that have no confirmed angle
    std::optional<float> angle;      // the last row's angle, as its cell holds it
    std::optional<float> confirmed;  // the last row's confirmed angle
    Crossings crossings;             // where the printed angles check below the run's FS
};

// True where the values describe a slope that a chart can be read for, by the rules of a
// reading (entries/rules.hpp, chart_reading_rules). False for NaN.
inline bool describes_a_slope(float friction_angle, float cohesion, float density, float height,
                              float security_factor) {
    const ChartInputs reading{friction_angle, cohesion, density, height, height, security_factor};
    return !first_violation(chart_reading_rules, [&](Field field) { return value_of(reading, field); });
}

// True for a factor of safety above 0 and below 1, which a run is warned of: the angles
// a chart gives for it are those of slopes expected to fail.
inline bool security_factor_below_one(float security_factor) {
    return security_factor > 0.0F && security_factor < 1.0F;
}

// The friction angle in radians: degrees times the float value of pi (3.14159274),
// divided by 180 in double and rounded to float. 30 degrees become 0.5235988.
float to_radians(float degrees);

// Number of rows: the exact quotient height / step truncated toward zero. None when
// the quotient is below one, not a number, or beyond the signed 32-bit range.
std::int32_t row_count(float height, float step);

// The rows of one run, one at a time, for a caller that takes them as it goes (and may
// stop and go on, as the page does while it makes a download in pieces). The values
// are as entered: the friction angle in degrees, turned into radians here and nowhere
// else; the chart read is the values' own.
class Sweep {
  public:
    explicit Sweep(const ChartInputs& entered);

    // The next row, or nothing once the run is over. The row lives until the next call.
    const SweepRow* next() {
        if (summary_.rows == rows_) {
            return nullptr;
        }
        // The height grows by repeated addition in float, never as row * step: this is
        // how the printed heights come out (2.8999994 after 29 steps of 0.1).
        current_.height += entered_.definition;
        current_.y = arrondir(B_tangent(current_.height, entered_.cohesion, entered_.density, tan_phi_), 2);
        // pente depends on x and y alone, and y, on its two-decimal grid, keeps the same
        // value over many rows of a long sweep: the chart is read again only when the
        // bits of y change. A row with the same y would get the same verdict, which the
        // current angle already holds.
        if (looked_up_y_ != bits_of(current_.y)) {
            read_the_chart();
        }
        ++summary_.rows;
        summary_.last_height = current_.height;
        summary_.angle = current_.angle;
        summary_.confirmed = current_.confirmed;
        count(has_empty_angle(current_) ? summary_.empty : summary_.with_angle);
        if (!current_.confirmed) {
            count(summary_.unconfirmed);
        }
        if (printed_.short_of_fs) {
            note_crossed_row();
        }
        return &current_;
    }

    // The rows of the whole run, and what the rows taken so far hold.
    std::int32_t rows() const { return rows_; }
    const SweepSummary& summary() const { return summary_; }

  private:
    // The current row among `rows`.
    void count(Heights& rows) const {
        rows.first = rows.rows == 0 ? current_.height : rows.first;
        rows.last = current_.height;
        ++rows.rows;
    }

    // At a y the rows before it did not have: the angle, the confirmed angle and the
    // check of the printed angle. Out of line, away from the rows that keep their y.
    void read_the_chart();

    // The current row among those whose printed angle checks short: in the run of the
    // rows before it while y, and so the check, stays the same.
    void note_crossed_row();

    ChartInputs entered_;
    std::int32_t rows_;
    float phi_;
    double tan_phi_;
    SweepRow current_;
    std::optional<std::uint32_t> looked_up_y_;
    PrintedCheck printed_;    // the check of the current y's printed angle
    std::int32_t y_run_ = 0;  // counts the changes of y
    std::int32_t crossed_y_run_ = -1;
    std::int32_t crossed_row_ = -1;  // the last crossed row, counted from 1
    CrossedRows last_crossed_;
    SweepSummary summary_;
};

// Calls emit(const SweepRow&) for every row of the run, in order, until emit returns
// false, and sums up the rows emitted.
template <typename Emit>
SweepSummary sweep(const ChartInputs& entered, Emit&& emit) {
    Sweep rows(entered);
    while (const SweepRow* row = rows.next()) {
        if (!emit(*row)) {
            break;
        }
    }
    return rows.summary();
}

}  // namespace zelm
