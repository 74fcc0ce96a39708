// The columns of a design run's rows, said once for the hosts that hold or show them as
// columns of numbers: Python's arrays and DataFrame, and the page's table beside the
// result file's cells. Each column is read from a row as a float, NaN where the row has
// none, and put back into a row from that float, so that rows kept as columns stream to
// the writers again as the sweep gave them. A column is added here, to SweepRow and to
// the words (messages/columns.hpp); the hosts lay out whatever this table lists.
#pragma once

#include "messages/columns.hpp"
#include "sweep/rows.hpp"
#include "sweep/sweep.hpp"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string_view>
#include <utility>

namespace zelm {

struct RunColumn {
    std::string_view key;    // the name Python gives its array
    std::string_view title;  // the title over it in a DataFrame and on the page
    std::string_view help;   // what it holds, as Python's help() tells it
    // The decimals a host that writes the value itself shows it with (the page, beside
    // the file's cells).
    int decimals;
    // The result file has no column of it: the page shows it after the file's four cells.
    bool beyond_the_file;
    float (*read)(const SweepRow& row);
    void (*put)(SweepRow& row, float value);
};

// A column's value where the row has none.
inline constexpr float no_value = std::numeric_limits<float>::quiet_NaN();

// A column's value as a cell that may be empty: none for NaN.
inline std::optional<float> unless_no_value(float value) {
    return std::isnan(value) ? std::nullopt : std::optional(value);
}

// In the order of Python's attributes and of a DataFrame's columns. The angle is the
// chart's as computed, NaN where the file's angle cell is empty (an angle that is no
// finite number reads NaN, and so comes back as none); y is kept as the row has it, inf
// or NaN included.
inline constexpr std::array<RunColumn, 5> run_columns{{
    {"height", column_titles.height, column_help.height, 2, false, [](const SweepRow& r) { return r.height; },
     [](SweepRow& r, float v) { r.height = v; }},
    {"x", column_titles.x, column_help.x, 2, false, [](const SweepRow& r) { return r.x; },
     [](SweepRow& r, float v) { r.x = v; }},
    {"y", column_titles.y, column_help.y, 2, false, [](const SweepRow& r) { return r.y; },
     [](SweepRow& r, float v) { r.y = v; }},
    {"angle", column_titles.chart_angle, column_help.angle, 0, false,
     [](const SweepRow& r) { return has_empty_angle(r) ? no_value : *r.angle; },
     [](SweepRow& r, float v) { r.angle = unless_no_value(v); }},
    {"confirmed_angle", column_titles.confirmed_angle, column_help.confirmed_angle, 0, true,
     [](const SweepRow& r) { return r.confirmed.value_or(no_value); },
     [](SweepRow& r, float v) { r.confirmed = unless_no_value(v); }},
}};

// The columns beyond the result file's, by their place in run_columns.
inline constexpr auto columns_beyond_the_file = [] {
    constexpr auto count = [] {
        std::size_t n = 0;
        for (const RunColumn& column : run_columns) {
            n += column.beyond_the_file ? 1 : 0;
        }
        return n;
    }();
    std::array<std::size_t, count> places{};
    std::size_t next = 0;
    for (std::size_t i = 0; i < run_columns.size(); ++i) {
        if (run_columns[i].beyond_the_file) {
            places[next++] = i;
        }
    }
    return places;
}();

// Calls each(column, place) for every column of the table, each a compile-time constant:
// a loop over the rows of a long run reads every column without a call through a pointer.
template <typename Each>
constexpr void for_each_run_column(Each&& each) {
    [&]<std::size_t... C>(std::index_sequence<C...>) { (each(run_columns[C], C), ...); }
    (std::make_index_sequence<run_columns.size()>());
}

// Rows swept before and kept as columns of floats, one array a column of run_columns and
// one element a row: Python's arrays.
class KeptRows final : public RowSource {
  public:
    using Columns = std::array<std::span<const float>, run_columns.size()>;

    explicit KeptRows(Columns columns) : columns_(columns) {}

    const SweepRow* next() override {
        if (given_ == columns_[0].size()) {
            return nullptr;
        }
        for_each_run_column([this](const RunColumn& column, std::size_t place) {
            column.put(row_, columns_[place][given_]);
        });
        ++given_;
        return &row_;
    }
    std::int32_t rows() const override { return static_cast<std::int32_t>(columns_[0].size()); }
    std::int32_t given() const override { return static_cast<std::int32_t>(given_); }

  private:
    Columns columns_;
    std::size_t given_ = 0;
    SweepRow row_{};
};

}  // namespace zelm
