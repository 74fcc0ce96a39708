// A stream of a run's rows, one at a time, for a writer that takes them as they come: a
// fresh sweep of the values, or rows already swept and kept (Python's arrays). The
// writers (the text file, the workbook) read either alike.
#pragma once

#include "sweep/chart_inputs.hpp"
#include "sweep/sweep.hpp"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace zelm {

class RowSource {
  public:
    RowSource() = default;
    RowSource(const RowSource&) = delete;
    RowSource& operator=(const RowSource&) = delete;
    virtual ~RowSource() = default;

    // The next row, or nothing once the run's rows are all given. It lives until the next call.
    virtual const SweepRow* next() = 0;

    // The run's rows, and those given so far.
    virtual std::int32_t rows() const = 0;
    virtual std::int32_t given() const = 0;

  protected:
    RowSource(RowSource&&) = default;
    RowSource& operator=(RowSource&&) = default;
};

// The rows of a fresh sweep of the values entered.
class SweptRows final : public RowSource {
  public:
    explicit SweptRows(const ChartInputs& entered) : sweep_(entered) {}

    const SweepRow* next() override { return sweep_.next(); }
    std::int32_t rows() const override { return sweep_.rows(); }
    std::int32_t given() const override { return sweep_.summary().rows; }

    // What the rows given so far hold.
    const SweepSummary& summary() const { return sweep_.summary(); }

  private:
    Sweep sweep_;
};

// Rows swept before and kept as columns of floats, one element a row (a NaN where the
// row has no angle, or no confirmed angle): Python's arrays.
class KeptRows final : public RowSource {
  public:
    struct Columns {
        std::span<const float> height, x, y, angle, confirmed;
    };

    explicit KeptRows(Columns columns) : columns_(columns) {}

    const SweepRow* next() override {
        if (given_ == columns_.height.size()) {
            return nullptr;
        }
        const auto kept = [](float value) { return std::isnan(value) ? std::nullopt : std::optional(value); };
        row_ = {columns_.height[given_], columns_.x[given_], columns_.y[given_], kept(columns_.angle[given_]),
                kept(columns_.confirmed[given_])};
        ++given_;
        return &row_;
    }
    std::int32_t rows() const override { return static_cast<std::int32_t>(columns_.height.size()); }
    std::int32_t given() const override { return static_cast<std::int32_t>(given_); }

  private:
    Columns columns_;
    std::size_t given_ = 0;
    SweepRow row_{};
};

}  // namespace zelm
