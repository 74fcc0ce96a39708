// The draws of an uncertain material and what a study's factors of safety say together.

#include "probability/draws.hpp"
#include "probability/failure.hpp"
#include "probability/philox.hpp"
#include "probability/study.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace zelm {
namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

// The known answers its authors publish for Philox4x32-10.
TEST(Philox, GivesTheKnownAnswers) {
    EXPECT_EQ(philox({0, 0, 0, 0}, {0, 0}), (PhiloxWords{0x6627e8d5, 0xe169c58d, 0xbc57ac4c, 0x9b00dbd8}));
    EXPECT_EQ(philox({~0U, ~0U, ~0U, ~0U}, {~0U, ~0U}),
              (PhiloxWords{0x408f276d, 0x41c83b0e, 0xa20bc7c6, 0x6d5451fd}));
    EXPECT_EQ(philox({0x243f6a88, 0x85a308d3, 0x13198a2e, 0x03707344}, {0xa4093822, 0x299f31d0}),
              (PhiloxWords{0xd16cfe09, 0x94fdcceb, 0x5001e420, 0x24126ea1}));
}

struct Moments {
    double mean = 0.0;
    double sd = 0.0;
};

template <class Value>
Moments moments(const std::vector<DrawnMaterial>& draws, Value value) {
    Moments m;
    for (const auto& d : draws) {
        m.mean += value(d) / static_cast<double>(draws.size());
    }
    for (const auto& d : draws) {
        m.sd += (value(d) - m.mean) * (value(d) - m.mean) / static_cast<double>(draws.size() - 1);
    }
    m.sd = std::sqrt(m.sd);
    return m;
}

TEST(Draws, AreEachTheirOwnWhateverTheBlockIsCutInto) {
    const UncertainMaterial material{
        {Spread::normal, 30, 3}, {Spread::lognormal, 15, 5}, {Spread::known, 2, 0}, 0};
    std::vector<DrawnMaterial> whole(draws_a_block);
    draw_block(material, 7, 3, whole);
    std::vector<DrawnMaterial> part(10);
    draw_block(material, 7, 3, part);
    for (std::size_t i = 0; i < part.size(); ++i) {
        EXPECT_EQ(part[i].friction_angle, whole[i].friction_angle);
        EXPECT_EQ(part[i].cohesion, whole[i].cohesion);
    }
    std::vector<DrawnMaterial> other(10);
    draw_block(material, 8, 3, other);  // another seed, other draws
    EXPECT_NE(other[0].friction_angle, whole[0].friction_angle);
    draw_block(material, 7, 4, other);  // another block too
    EXPECT_NE(other[0].friction_angle, whole[0].friction_angle);
}

// A seed written down makes the same study again in a later release: block 2 of seed
// 20261209, where most draws are drawn again (phi and C' below 0 about two times in three).
TEST(Draws, AreTheSameForTheSameSeedInEveryRelease) {
    const UncertainMaterial material{
        {Spread::normal, 5, 10}, {Spread::normal, 0, 5}, {Spread::lognormal, 2, 0.5}, 0.3};
    const DrawnMaterial known[] = {
        {17.051103346136554, 1.9608489733077401, 1.4215092388616148},
        {21.777608806685798, 8.1872715718466331, 2.9930722979980824},
        {2.8509220530467427, 0.72564175510435591, 2.47021263782228},
        {24.70828919491229, 7.237040750676158, 1.8954089143188071},
        {7.4517330401704687, 0.49428226793182972, 3.1128528096281403},
        {15.285968374963478, 1.2070777614894312, 2.0985344749545787},
        {19.704778197758035, 5.5366464750885065, 2.2025531433537067},
        {9.3223156304172186, 4.9194259541546481, 1.3973945550776634},
    };
    std::vector<DrawnMaterial> drawn(std::size(known));
    draw_block(material, 20261209, 2, drawn);
    for (std::size_t i = 0; i < drawn.size(); ++i) {  // to the last digits a platform's libm may differ in
        EXPECT_NEAR(drawn[i].friction_angle, known[i].friction_angle, 1e-12 * known[i].friction_angle) << i;
        EXPECT_NEAR(drawn[i].cohesion, known[i].cohesion, 1e-12 * known[i].cohesion) << i;
        EXPECT_NEAR(drawn[i].density, known[i].density, 1e-12 * known[i].density) << i;
    }
}

// 10^5 draws: the sample's mean within 4 standard errors of the distribution's, its sd
// within 2%, the correlation asked within 0.02.
TEST(Draws, HaveTheMeansDeviationsAndCorrelationAsked) {
    const UncertainMaterial material{
        {Spread::normal, 30, 3}, {Spread::lognormal, 15, 5}, {Spread::normal, 19.6, 0.5}, 0.5};
    const auto draws = study_draws(material, 2026, 100'000);
    const auto phi = moments(draws, [](const DrawnMaterial& d) { return d.friction_angle; });
    const auto cohesion = moments(draws, [](const DrawnMaterial& d) { return d.cohesion; });
    const auto density = moments(draws, [](const DrawnMaterial& d) { return d.density; });
    EXPECT_NEAR(phi.mean, 30, 4 * 3 / std::sqrt(1e5));
    EXPECT_NEAR(phi.sd, 3, 0.06);
    EXPECT_NEAR(cohesion.mean, 15, 4 * 5 / std::sqrt(1e5));
    EXPECT_NEAR(cohesion.sd, 5, 0.1);
    EXPECT_NEAR(density.mean, 19.6, 4 * 0.5 / std::sqrt(1e5));
    // The normal scores' correlation: that of phi and log C'.
    double product = 0.0;
    const auto log_c = moments(draws, [](const DrawnMaterial& d) { return std::log(d.cohesion); });
    for (const auto& d : draws) {
        product += (d.friction_angle - phi.mean) * (std::log(d.cohesion) - log_c.mean);
    }
    EXPECT_NEAR(product / (static_cast<double>(draws.size()) - 1.0) / (phi.sd * log_c.sd), 0.5, 0.02);
}

TEST(Draws, DescribeASoilWhereTheDistributionsReachBeyond) {
    // Half of each distribution lies outside: phi below 0, C' below 0, d at or below 0.
    const UncertainMaterial material{
        {Spread::normal, 0, 10}, {Spread::normal, 0, 5}, {Spread::normal, 0.1, 1}, 0};
    for (const auto& d : study_draws(material, 1, 20'000)) {
        ASSERT_TRUE(describes_a_soil(d));
    }
    EXPECT_FALSE(describes_a_soil({90, 0, 1}));
    EXPECT_FALSE(describes_a_soil({30, -0.001, 1}));
    EXPECT_FALSE(describes_a_soil({30, 0, 0}));
    EXPECT_TRUE(describes_a_soil({0, 0, 1e-9}));
}

// A study's draws searched from the nominal slope's circle answer what a cold search
// answers, within the search's own tolerance, and on the same side of FS 1: dry, and
// under pore water and an earthquake.
TEST(SlopeStudy, EachDrawAnswersWhatAColdSearchAnswers) {
    const UncertainMaterial rock{
        {Spread::normal, 30, 3}, {Spread::lognormal, 15, 5}, {Spread::known, 19.6, 0}, 0};
    SlopeConditions wet_and_shaken;
    wet_and_shaken.water = PoreWater::ratio;
    wet_and_shaken.pore_pressure_ratio = 0.2;
    wet_and_shaken.seismic_coefficient = 0.05;
    for (const SlopeConditions& on : {SlopeConditions{}, wet_and_shaken}) {
        const HomogeneousSlope slope{10, 40, 30, 15, 19.6, on};
        const SlopeStudy study = study_slope(rock, 3, 150, slope);
        std::size_t failing = 0;
        for (std::size_t i = 0; i < study.fs.size(); ++i) {
            HomogeneousSlope drawn = slope;
            drawn.friction_angle = study.draws[i].friction_angle;
            drawn.cohesion = study.draws[i].cohesion;
            drawn.unit_weight = study.draws[i].density;
            const double cold = critical_circle(drawn).factor_of_safety;
            ASSERT_NEAR(study.fs[i] / cold, 1.0, 1e-3) << "draw " << i;
            ASSERT_EQ(study.fs[i] < 1.0, cold < 1.0) << "draw " << i;
            failing += cold < 1.0 ? 1 : 0;
        }
        EXPECT_EQ(study.said.failing, failing);
        EXPECT_EQ(study.said.unanswered, 0U);
    }
}

// Wilson's interval as textbooks tabulate it (Newcombe, 1998: 0 of 10, 1 of 29, 81 of 263).
TEST(FailureStatistics, WilsonsIntervalAndTheUnansweredOnBothSides) {
    const struct {
        std::size_t failing, draws;
        double lower, upper;
    } cases[] = {
        {0, 10, 0.0, 0.2775}, {1, 29, 0.0061, 0.1718}, {81, 263, 0.2553, 0.3662}, {10, 10, 0.7225, 1.0}};
    for (const auto& c : cases) {
        const auto [lower, upper] = wilson_interval(c.failing, c.draws);
        EXPECT_NEAR(lower, c.lower, 5e-5) << c.failing << " of " << c.draws;
        EXPECT_NEAR(upper, c.upper, 5e-5) << c.failing << " of " << c.draws;
    }
    // Two of ten fail, one has no answer: 2 of 9 answered; bounds from 2 of 10 and 3 of 10.
    const std::vector<double> fs{0.9, 0.95, 1.0, 1.1, 1.2, 1.3, 1.4, 1.5, 1.6, nan};
    const FailureStatistics s = failure_statistics(fs);
    EXPECT_EQ(s.unanswered, 1U);
    EXPECT_DOUBLE_EQ(s.probability, 2.0 / 9.0);
    EXPECT_DOUBLE_EQ(s.lower, wilson_interval(2, 10).first);
    EXPECT_DOUBLE_EQ(s.upper, wilson_interval(3, 10).second);
    EXPECT_DOUBLE_EQ(failure_share(fs).upper, s.upper);
    EXPECT_DOUBLE_EQ(failure_share(fs).probability, s.probability);
}

TEST(FailureStatistics, TheSpreadOfTheFactorOfSafety) {
    const std::vector<double> fs{1.4, 1.0, 1.2, nan, 1.6};
    const FailureStatistics s = failure_statistics(fs);
    EXPECT_DOUBLE_EQ(s.mean, 1.3);
    EXPECT_NEAR(s.sd, std::sqrt(0.2 / 3), 1e-15);
    EXPECT_NEAR(s.p50, 1.3, 1e-15);  // between 1.2 and 1.4
    EXPECT_NEAR(s.p5, 1.03, 1e-15);
    EXPECT_NEAR(s.p95, 1.57, 1e-15);
    EXPECT_NEAR(s.reliability_index, 0.3 / std::sqrt(0.2 / 3), 1e-12);
    const double v = std::sqrt(0.2 / 3) / 1.3;
    EXPECT_NEAR(s.reliability_index_lognormal,
                std::log(1.3 / std::sqrt(1 + v * v)) / std::sqrt(std::log1p(v * v)), 1e-12);
    const FailureStatistics none = failure_statistics(std::vector<double>{nan, nan});
    EXPECT_TRUE(std::isnan(none.probability) && std::isnan(none.mean));
    EXPECT_EQ(none.lower, 0.0);
    EXPECT_GT(none.upper, 0.34);  // two of two counted as failing
}

TEST(FailureStatistics, DrawsNeededForAPrecision) {
    EXPECT_EQ(draws_needed(0.01, 0.1), 38'031);  // 1.96^2 x 0.99 / 0.01 / 0.1^2
    EXPECT_EQ(draws_needed(0.5, 0.1), 385);
    EXPECT_TRUE(std::isinf(draws_needed(0.0, 0.1)));
}

TEST(FailureStatistics, AHistogramWithAnEdgeAtOne) {
    const std::vector<double> fs{0.83, 0.97, 1.0, 1.04, 1.31, nan, 1.77};
    const Histogram h = fs_histogram(fs, 10);
    EXPECT_DOUBLE_EQ(h.width, 0.1);  // 0.94 / 10, rounded up to a round width
    double total = 0.0;
    bool one_is_an_edge = false;
    for (std::size_t k = 0; k < h.edges.size(); ++k) {
        total += h.counts[k];
        one_is_an_edge |= std::abs(h.edges[k] - 1.0) < 1e-12;
    }
    EXPECT_EQ(total, 6.0);
    EXPECT_TRUE(one_is_an_edge);
    EXPECT_NEAR(h.edges.front(), 0.8, 1e-12);
    EXPECT_EQ(h.counts.back(), 1.0);
}

}  // namespace
}  // namespace zelm
