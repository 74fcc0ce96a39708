// What a run shows of itself beside its files, for a host that lays it out (the page):
// the rows as the result file prints them, every one of a short run and the first and
// last ones of a long one, each with its values of the columns the file has none of
// (result/run_columns.hpp: the confirmed angle); and the curves of the angle and
// of the confirmed angle against H, with the numbers the workbook holds, one point where
// either changes, so that a long run draws as fast as a short one and the same lines.
// Each takes the run's rows one at a time, as a writer does.
#pragma once

#include "messages/columns.hpp"
#include "result/run_columns.hpp"
#include "result/text_rows.hpp"
#include "sweep/chart_inputs.hpp"
#include "sweep/sweep.hpp"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zelm {

class RowsOnShow {
  public:
    // Rows shown whole up to this many; beyond, the first and the last this many.
    static constexpr std::int32_t shown_whole = 10000;
    static constexpr std::int32_t shown_ends = 100;

    // The titles over the result file's four cells, which its format fixes.
    static constexpr std::array<std::string_view, 4> file_titles{column_titles.height, column_titles.x,
                                                                 column_titles.y, column_titles.angle};

    // Each column beyond the file's (columns_beyond_the_file, in its order): its values in
    // the rows shown, in their order, NaN where a row has none.
    using Columns = std::array<std::vector<double>, columns_beyond_the_file.size()>;

    // For a run of `rows` rows whose angle cells hold `angles`.
    RowsOnShow(std::int32_t rows, Angles angles);

    void take(const SweepRow& row);

    // The rows shown first and last, each as the result file prints it, TABs and CR LF;
    // and their values of the columns beyond the file's.
    const std::string& first_rows() const { return first_; }
    const Columns& first_columns() const { return first_columns_; }
    std::string last_rows() const;
    Columns last_columns() const;

  private:
    // Calls each(row) for the last rows kept, oldest first.
    template <typename Each>
    void for_last_rows(Each&& each) const {
        const std::size_t kept =
            std::min<std::size_t>(last_.size(), static_cast<std::size_t>(taken_ - shown_first_));
        for (std::size_t i = 0; i < kept; ++i) {
            each(last_[(next_last_ + last_.size() - kept + i) % last_.size()]);
        }
    }

    std::int32_t rows_;
    Angles angles_;
    std::int32_t shown_first_;
    std::int32_t taken_ = 0;
    RowWriter writer_;
    std::string first_;
    Columns first_columns_;
    std::vector<SweepRow> last_;
    std::size_t next_last_ = 0;
};

class AngleCurve {
  public:
    void take(const SweepRow& row);

    // Draws the last point of a run of equal rows, once the rows are all taken.
    void finish();

    const std::vector<double>& heights() const { return heights_; }
    const std::vector<double>& angles() const { return angles_; }        // NaN where the cell is empty
    const std::vector<double>& confirmed() const { return confirmed_; }  // NaN where there is none

  private:
    std::vector<double> heights_;
    std::vector<double> angles_;
    std::vector<double> confirmed_;
    std::int32_t run_length_ = 0;
    double pending_height_ = 0.0;
};

}  // namespace zelm
