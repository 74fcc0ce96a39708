// A stream of a run's rows, one at a time, for a writer that takes them as they come: a
// fresh sweep of the values, or rows already swept and kept (Python's arrays, KeptRows in
// result/run_columns.hpp). The writers (the text file, the workbook) read either alike.
#pragma once

#include "sweep/chart_inputs.hpp"
#include "sweep/sweep.hpp"

#include <cstdint>

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

}  // namespace zelm
