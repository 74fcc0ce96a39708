#include "probability/failure.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zelm {

namespace {

constexpr double z95 = 1.959963984540054;  // the standard normal's 97.5% point
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

// The q-th percentile of sorted values, linear between the two it falls between.
double percentile(const std::vector<double>& sorted, double q) {
    const double at = q / 100.0 * static_cast<double>(sorted.size() - 1);
    const auto below = static_cast<std::size_t>(std::floor(at));
    const std::size_t above = std::min(below + 1, sorted.size() - 1);
    return sorted[below] + (at - static_cast<double>(below)) * (sorted[above] - sorted[below]);
}

void describe_spread(std::vector<double>& answered, FailureStatistics& s) {
    s.mean = s.sd = s.p5 = s.p50 = s.p95 = s.reliability_index = s.reliability_index_lognormal = nan;
    if (answered.empty()) {
        return;
    }
    double sum = 0.0;
    for (const double value : answered) {
        sum += value;
    }
    const auto n = static_cast<double>(answered.size());
    s.mean = sum / n;
    std::sort(answered.begin(), answered.end());
    s.p5 = percentile(answered, 5.0);
    s.p50 = percentile(answered, 50.0);
    s.p95 = percentile(answered, 95.0);
    if (answered.size() < 2) {
        return;
    }
    double squares = 0.0;
    for (const double value : answered) {
        squares += (value - s.mean) * (value - s.mean);
    }
    s.sd = std::sqrt(squares / (n - 1.0));
    if (s.sd > 0.0) {
        s.reliability_index = (s.mean - 1.0) / s.sd;
    }
    const double variation = s.sd / s.mean;
    const double log_sd = std::sqrt(std::log1p(variation * variation));
    if (s.mean > 0.0 && log_sd > 0.0) {
        s.reliability_index_lognormal = std::log(s.mean / std::sqrt(1.0 + variation * variation)) / log_sd;
    }
}

}  // namespace

std::pair<double, double> wilson_interval(std::size_t failing, std::size_t draws) {
    if (draws == 0) {
        return {0.0, 1.0};
    }
    const auto k = static_cast<double>(failing);
    const auto n = static_cast<double>(draws);
    const double z2 = z95 * z95;
    const double centre = (k + z2 / 2.0) / (n + z2);
    const double half = z95 * std::sqrt(k * (n - k) / n + z2 / 4.0) / (n + z2);
    return {std::max(0.0, centre - half), std::min(1.0, centre + half)};
}

FailureStatistics failure_statistics(std::span<const double> fs) {
    FailureStatistics s;
    s.draws = fs.size();
    std::vector<double> answered;
    answered.reserve(fs.size());
    for (const double value : fs) {
        if (std::isnan(value)) {
            ++s.unanswered;
        } else {
            answered.push_back(value);
            s.failing += value < 1.0 ? 1 : 0;
        }
    }
    s.probability =
        answered.empty() ? nan : static_cast<double>(s.failing) / static_cast<double>(answered.size());
    s.lower = wilson_interval(s.failing, s.draws).first;
    s.upper = wilson_interval(s.failing + s.unanswered, s.draws).second;
    describe_spread(answered, s);
    return s;
}

FailureShare failure_share(std::span<const double> fs) {
    std::size_t unanswered = 0;
    std::size_t failing = 0;
    for (const double value : fs) {
        unanswered += std::isnan(value) ? 1U : 0U;
        failing += value < 1.0 ? 1U : 0U;
    }
    const std::size_t answered = fs.size() - unanswered;
    return {answered == 0 ? nan : static_cast<double>(failing) / static_cast<double>(answered),
            wilson_interval(failing + unanswered, fs.size()).second};
}

double draws_needed(double probability, double relative) {
    if (!(probability > 0.0)) {
        return std::numeric_limits<double>::infinity();
    }
    return std::ceil(z95 * z95 * (1.0 - probability) / (probability * relative * relative));
}

Histogram fs_histogram(std::span<const double> fs, int bins) {
    Histogram h;
    double least = std::numeric_limits<double>::infinity();
    double greatest = -least;
    for (const double value : fs) {
        if (!std::isnan(value)) {
            least = std::min(least, value);
            greatest = std::max(greatest, value);
        }
    }
    if (!(least <= greatest) || bins < 1) {
        return h;
    }
    // The round width nearest above the span's share of a bin.
    const double rough = std::max(greatest - least, 1e-6) / bins;
    const double decade = std::pow(10.0, std::floor(std::log10(rough)));
    h.width = decade * (rough <= decade         ? 1.0
                        : rough <= 2.0 * decade ? 2.0
                        : rough <= 5.0 * decade ? 5.0
                                                : 10.0);
    // Edges at 1 + k width, so that one of them is FS 1.
    const double first = std::floor((least - 1.0) / h.width);
    const double last = std::floor((greatest - 1.0) / h.width);
    const auto count = static_cast<std::size_t>(last - first) + 1;
    h.edges.resize(count);
    h.counts.assign(count, 0.0);
    for (std::size_t k = 0; k < count; ++k) {
        h.edges[k] = 1.0 + (first + static_cast<double>(k)) * h.width;
    }
    for (const double value : fs) {
        if (!std::isnan(value)) {
            const auto k = static_cast<std::size_t>(std::floor((value - 1.0) / h.width) - first);
            h.counts[std::min(k, count - 1)] += 1.0;
        }
    }
    return h;
}

}  // namespace zelm
