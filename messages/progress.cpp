#include "messages/progress.hpp"

#include "messages/diagnostic.hpp"
#include "numbers/writing.hpp"

#include <algorithm>
#include <cmath>

namespace zelm {
namespace {

// Whole rows a second below a million, millions with a decimal from there.
std::string rate_text(double rows_per_second) {
    if (rows_per_second < 999999.5) {
        return std::to_string(std::lround(rows_per_second)) + " rows/s";
    }
    return fixed(rows_per_second / 1e6, 1) + " M rows/s";
}

// Seconds below a minute, then minutes and seconds, then hours and minutes.
std::string time_text(double seconds) {
    const auto whole = static_cast<long>(std::ceil(std::min(seconds, 1e7)));
    if (whole < 60) {
        return std::to_string(whole) + " s";
    }
    if (whole < 3600) {
        return std::to_string(whole / 60) + " min " + std::to_string(whole % 60) + " s";
    }
    return std::to_string(whole / 3600) + " h " + std::to_string(whole % 3600 / 60) + " min";
}

}  // namespace

std::string progress_line(Writing writing, std::int32_t done, std::int32_t total, double rows_per_second) {
    std::string line(line_prefix);
    if (writing == Writing::workbook) {
        line += "workbook: ";
    }
    line += std::to_string(done) + " of " + std::to_string(total) + " rows";
    if (rows_per_second > 0.0) {
        line +=
            ", " + rate_text(rows_per_second) + ", " + time_text((total - done) / rows_per_second) + " left";
    }
    return line;
}

}  // namespace zelm
