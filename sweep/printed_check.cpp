#include "sweep/printed_check.hpp"

#include "numbers/writing.hpp"

#include <cmath>

namespace zelm {

PrintedCheck check_printed(const ChartGrid::AtY& design, float phi, float fs, float x,
                           std::optional<float> angle) {
    PrintedCheck checked;
    const auto [first, last] = fitted_x_range(design.chart());
    if (!(x >= first && x <= last)) {  // also false for NaN
        return checked;
    }
    checked.confirmed = confirmed_angle(design, key_of(x));
    if (!checked.confirmed || !angle || !std::isfinite(*angle)) {
        return checked;
    }
    checked.printed = static_cast<float>(whole_value(*angle));
    if (!(checked.printed > 0.0F && checked.printed <= 90.0F)) {
        return checked;
    }
    checked.answer = check_rows(design, phi, checked.printed);
    // A slope steeper than even the chart's smallest FS allows checks at "FS below X": its
    // FS is not known to come within the margin of the run's, whatever X is.
    checked.short_of_fs =
        checked.answer.verdict == Verdict::below_chart ||
        highest_fs_checked(checked.answer) < static_cast<double>(fs) * (1.0 - crossing_margin);
    return checked;
}

}  // namespace zelm
