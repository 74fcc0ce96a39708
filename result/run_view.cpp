#include "result/run_view.hpp"

#include "numbers/writing.hpp"

#include <array>
#include <limits>

namespace zelm {
namespace {

double confirmed_value(const SweepRow& row) {
    return row.confirmed ? static_cast<double>(*row.confirmed) : std::numeric_limits<double>::quiet_NaN();
}

// The row's values of the columns beyond the file's, each added to its column.
void add_to(RowsOnShow::Columns& columns, const SweepRow& row) {
    for (std::size_t i = 0; i < columns.size(); ++i) {
        columns[i].push_back(static_cast<double>(run_columns[columns_beyond_the_file[i]].read(row)));
    }
}

}  // namespace

RowsOnShow::RowsOnShow(std::int32_t rows, Angles angles)
    : rows_(rows), angles_(angles), shown_first_(rows <= shown_whole ? rows : shown_ends), writer_(angles) {}

void RowsOnShow::take(const SweepRow& row) {
    ++taken_;
    if (taken_ <= shown_first_) {
        std::array<char, RowWriter::max_length> line{};
        first_.append(line.data(), writer_.put(line.data(), row));
        add_to(first_columns_, row);
    } else if (rows_ > shown_whole) {
        if (last_.size() < static_cast<std::size_t>(shown_ends)) {
            last_.push_back(row);
        } else {
            last_[next_last_] = row;
        }
        next_last_ = (next_last_ + 1) % static_cast<std::size_t>(shown_ends);
    }
}

std::string RowsOnShow::last_rows() const {
    std::string text;
    RowWriter writer(angles_);
    std::array<char, RowWriter::max_length> line{};
    for_last_rows([&](const SweepRow& row) { text.append(line.data(), writer.put(line.data(), row)); });
    return text;
}

RowsOnShow::Columns RowsOnShow::last_columns() const {
    Columns columns;
    for_last_rows([&](const SweepRow& row) { add_to(columns, row); });
    return columns;
}

void AngleCurve::take(const SweepRow& row) {
    const auto height = decimal_comma(row.height);
    if (!height) {
        return;  // no height to draw it at
    }
    const double angle =
        has_empty_angle(row) ? std::numeric_limits<double>::quiet_NaN() : whole_value(*row.angle);
    const double confirmed = confirmed_value(row);
    // A run of rows with the same angle and the same confirmed angle draws as the lines
    // between its first and last point. Both change only where y does.
    const auto equal = [](double a, double b) { return a == b || (a != a && b != b); };
    const bool same = !angles_.empty() && equal(angle, angles_.back()) && equal(confirmed, confirmed_.back());
    if (same && run_length_ > 0) {
        pending_height_ = height->value();
        ++run_length_;
        return;
    }
    finish();
    heights_.push_back(height->value());
    angles_.push_back(angle);
    confirmed_.push_back(confirmed);
    run_length_ = 1;
}

void AngleCurve::finish() {
    if (run_length_ > 1) {
        heights_.push_back(pending_height_);
        angles_.push_back(angles_.back());
        confirmed_.push_back(confirmed_.back());
    }
    run_length_ = 0;
}

}  // namespace zelm
