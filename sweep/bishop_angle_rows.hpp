// The rows of a fresh sweep with Bishop's steepest degree in the angle's place: the rows
// the result file holds when it is asked for Bishop's angles. Each row's degree is the
// workbook's Bishop angle of the row, under the run's conditions: the steepest whole degree
// at which a slope of the row's printed height reaches the run's FS by Bishop's method;
// nothing where no degree does, or where the method has no answer.
#pragma once

#include "sweep/bishop_columns.hpp"
#include "sweep/rows.hpp"

#include <optional>

namespace zelm {

class BishopAngleRows final : public RowSource {
  public:
    explicit BishopAngleRows(const ChartInputs& entered)
        : swept_(entered), columns_(entered, swept_.rows()) {}

    const SweepRow* next() override {
        const SweepRow* row = swept_.next();
        if (row == nullptr) {
            return nullptr;
        }
        row_ = *row;
        const std::optional<int> steepest = columns_.next(*row).steepest;
        row_.angle = steepest ? std::optional(static_cast<float>(*steepest)) : std::nullopt;
        return &row_;
    }
    std::int32_t rows() const override { return swept_.rows(); }
    std::int32_t given() const override { return swept_.given(); }

    // The sweep under the rows: what its rows hold, the chart's angles among them.
    SweptRows& swept() { return swept_; }
    // Why the angle cells of some rows are empty.
    const BishopFindings& findings() const { return columns_.findings(); }

  private:
    SweptRows swept_;
    BishopColumns columns_;
    SweepRow row_{};
};

}  // namespace zelm
