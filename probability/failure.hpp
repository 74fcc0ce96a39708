#pragma once

// What the draws' factors of safety say together: the probability of failure (FS below 1)
// and its confidence, and the spread of the FS.

#include <cstddef>
#include <span>
#include <utility>
#include <vector>

namespace zelm {

struct FailureStatistics {
    std::size_t draws = 0;
    std::size_t unanswered = 0;  // draws without a factor of safety (NaN)
    std::size_t failing = 0;     // answered draws with FS below 1
    double probability;          // failing / answered; NaN where none answered
    // The 95% confidence bounds of the probability (Wilson's), the unanswered draws counted
    // as standing for the lower bound and as failing for the upper: none ever drops out.
    double lower;
    double upper;
    double mean;  // of the answered FS
    double sd;    // their sample standard deviation (n - 1)
    double p5;    // percentiles, linear between the sorted FS
    double p50;
    double p95;
    double reliability_index;            // (mean - 1) / sd
    double reliability_index_lognormal;  // that of a lognormal FS of the same mean and sd
};

FailureStatistics failure_statistics(std::span<const double> fs);

// Wilson's score interval at 95% for `failing` out of `draws`; [0, 1] for no draws.
std::pair<double, double> wilson_interval(std::size_t failing, std::size_t draws);

// failure_statistics's probability and upper bound alone, without its sort.
struct FailureShare {
    double probability;  // of the answered draws; NaN where none answered
    double upper;        // the upper 95% bound, the draws without an answer counted as failing
};
FailureShare failure_share(std::span<const double> fs);

// The draws for a 95% confidence interval of +-relative times the probability
// `probability`; infinite where it is not above 0.
double draws_needed(double probability, double relative);

// The answered FS counted in bins of a round width (1, 2 or 5 times a power of ten) with
// an edge at FS 1, about `bins` of them from the least FS to the greatest: the bins' lower
// edges and counts. Empty where no draw has an answer.
struct Histogram {
    std::vector<double> edges;
    std::vector<double> counts;
    double width = 0.0;
};
Histogram fs_histogram(std::span<const double> fs, int bins);

}  // namespace zelm
