// Bishop's simplified method and the search for the critical circle: against factors of
// safety published for homogeneous dry slopes (data/bishop.txt), and against what the
// method itself must give. The same answer for the same C'/(d H); a cohesionless slope's
// tends to the infinite slope's, from above; twice the slices, or a finer search, change
// it little; and where the method does not apply, a reason rather than a number.
#include "slices/bishop.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <numbers>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace zelm {
namespace {

struct Published {
    HomogeneousSlope slope;
    CircleSearch search;
    double lowest;
    double highest;
    std::string source;
};

std::vector<Published> published() {
    std::ifstream file(BISHOP_CASES);
    std::vector<Published> cases;
    for (std::string line; std::getline(file, line);) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream in(line);
        Published one{};
        int beyond_toe = 1;
        in >> one.slope.height >> one.slope.face_angle >> one.slope.friction_angle >> one.slope.cohesion >>
            one.slope.unit_weight >> one.search.deepest >> beyond_toe >> one.lowest >> one.highest;
        one.search.beyond_toe = beyond_toe != 0;
        std::getline(in >> std::ws, one.source);
        cases.push_back(one);
    }
    return cases;
}

double radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

// Slopes an engineer meets, in m, kPa and kN/m3, and a vertical cut in a stiff clay.
const HomogeneousSlope typical[] = {{10, 26.57, 19.6, 3, 20}, {12, 60, 30, 15, 19}, {6, 35, 25, 5, 18},
                                    {20, 45, 35, 0.5, 21},    {8, 80, 10, 30, 20},  {5, 90, 0, 40, 19}};

TEST(Bishop, PublishedSlopes) {
    const auto cases = published();
    ASSERT_GE(cases.size(), 6U);
    for (const auto& one : cases) {
        SCOPED_TRACE(one.source);
        const BishopResult result = critical_circle(one.slope, one.search);
        ASSERT_EQ(result.reason, BishopReason::none);
        EXPECT_GE(result.factor_of_safety, one.lowest);
        EXPECT_LE(result.factor_of_safety, one.highest);
        EXPECT_GE(result.circle.entry_x, one.slope.height / std::tan(radians(one.slope.face_angle)) - 1e-9);
        EXPECT_LE(result.circle.exit_x, 0.0);
    }
}

TEST(Bishop, SameAnswerForTheSameCohesionOverUnitWeightAndHeight) {
    for (const auto& slope : typical) {
        const HomogeneousSlope larger{slope.height * 4, slope.face_angle, slope.friction_angle,
                                      slope.cohesion * 10, slope.unit_weight * 2.5};
        const BishopResult one = critical_circle(slope);
        const BishopResult other = critical_circle(larger);
        EXPECT_NEAR(other.factor_of_safety, one.factor_of_safety, 1e-5 * one.factor_of_safety);
        EXPECT_NEAR(other.circle.radius, 4 * one.circle.radius, 1e-2 * one.circle.radius);
    }
}

// The critical surface of a cohesionless slope is the face itself, FS = tan(phi) / tan(beta);
// circles come near it. With a little cohesion FS is higher, and comes down to it as the
// cohesion goes to 0, by a factor of about 4 for each tenth of the cohesion.
TEST(Bishop, CohesionlessSlopeTendsToTheInfiniteSlope) {
    const double angles[][2] = {{30, 20}, {35, 33.69}, {25, 45}, {40, 26.57}, {20, 15}, {33, 70}};
    for (const auto& [phi, beta] : angles) {
        SCOPED_TRACE(testing::Message() << "phi " << phi << ", face " << beta);
        const double infinite_slope = std::tan(radians(phi)) / std::tan(radians(beta));
        double above = std::numeric_limits<double>::infinity();
        for (const double cohesion : {0.02, 0.002, 0.0002, 0.0}) {
            const BishopResult result = critical_circle({10, beta, phi, cohesion * 200, 20});
            ASSERT_EQ(result.reason, BishopReason::none);
            const double excess = result.factor_of_safety / infinite_slope - 1;
            EXPECT_GE(excess, -1e-9);
            EXPECT_LE(excess, cohesion > 0 ? 0.4 * above : 1e-3);
            EXPECT_TRUE(cohesion > 0 || result.tension_depth == 0);
            above = excess;
        }
    }
}

TEST(Bishop, TwiceTheSlicesChangeLittle) {
    for (const auto& slope : typical) {
        const BishopResult result = critical_circle(slope);
        const BishopResult twice = bishop_on_circle(slope, result.circle, 2 * CircleSearch{}.slices);
        ASSERT_EQ(twice.reason, BishopReason::none);
        EXPECT_NEAR(twice.factor_of_safety, result.factor_of_safety, 1e-3 * result.factor_of_safety);
    }
}

// Slopes drawn at random, from cohesionless to frictionless, flat to vertical; the first, a
// steep cut in a stiff clay of little friction, has two valleys of toe circles, the
// deeper not the one the best point of the grid lies in.
TEST(Bishop, FinerSearchLowersLittle) {
    std::mt19937 random(1989);
    std::uniform_real_distribution<double> between(0.0, 1.0);
    CircleSearch finer;
    finer.fineness = 3;
    finer.refinements = 6;
    for (int i = 0; i < 40; ++i) {
        const double phi = i % 8 == 0 ? 0.0 : 45 * between(random);
        const double cohesion = i % 8 == 1 ? 0.0 : 0.005 + 0.3 * between(random) * between(random);
        const HomogeneousSlope slope =
            i == 0 ? HomogeneousSlope{10, 77.12, 2.38, 44.86, 20}
                   : HomogeneousSlope{10, 10 + 80 * between(random), phi, cohesion * 200, 20};
        SCOPED_TRACE(testing::Message() << "phi " << slope.friction_angle << ", face " << slope.face_angle
                                        << ", C' " << slope.cohesion);
        const double usual = critical_circle(slope).factor_of_safety;
        EXPECT_GE(critical_circle(slope, finer).factor_of_safety, usual * (1 - 0.005));
    }
}

// A search asked for more, or less, than it does is the one at the bound: its answer the
// same to the last bit.
TEST(Bishop, SearchOptionsBeyondTheirBoundsAreTakenAtTheBound) {
    const HomogeneousSlope slope{10, 50, 25, 15, 20};
    const auto with = [&](auto set) {
        CircleSearch search;
        set(search);
        const BishopResult result = critical_circle(slope, search);
        return std::pair{result.factor_of_safety, result.circle.centre_x};
    };
    EXPECT_EQ(with([](CircleSearch& s) { s.refinements = 0; }),
              with([](CircleSearch& s) { s.refinements = 1; }));
    EXPECT_EQ(with([](CircleSearch& s) { s.refinements = 99; }),
              with([](CircleSearch& s) { s.refinements = 16; }));
    EXPECT_EQ(with([](CircleSearch& s) { s.fineness = 0; }), with([](CircleSearch& s) { s.fineness = 1; }));
    EXPECT_EQ(with([](CircleSearch& s) { s.slices = 999; }), with([](CircleSearch& s) { s.slices = 128; }));
    EXPECT_EQ(with([](CircleSearch& s) { s.deepest = 1e6; }), with([](CircleSearch& s) { s.deepest = 100; }));
    EXPECT_EQ(with([](CircleSearch& s) { s.deepest = std::nan(""); }),
              with([](CircleSearch& s) { s.deepest = 3; }));
}

TEST(Bishop, ReasonsRatherThanNumbers) {
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr double infinity = std::numeric_limits<double>::infinity();
    // A value that breaks its rule: which, where it is typed (phi C' d H angle), and how;
    // the first, as typed, where two do.
    const struct {
        HomogeneousSlope slope;
        Field field;
        std::size_t position;
        Broken broken;
    } broken[] = {
        {{0, 30, 30, 10, 20}, Field::slope_height, 3, Broken::below},
        {{infinity, 30, 30, 10, 20}, Field::slope_height, 3, Broken::not_finite},
        {{10, 0, 30, 10, 20}, Field::slope_angle, 4, Broken::below},
        {{10, 90.5, 30, 10, 20}, Field::slope_angle, 4, Broken::above},
        {{10, 30, -1, 10, 20}, Field::friction_angle, 0, Broken::below},
        {{10, 30, 90, 10, 20}, Field::friction_angle, 0, Broken::above},
        {{10, 30, nan, 10, 20}, Field::friction_angle, 0, Broken::not_finite},
        {{10, 30, 30, -0.1, 20}, Field::cohesion, 1, Broken::below},
        {{10, 30, 30, 10, 0}, Field::density, 2, Broken::below},
        {{0, 95, 30, 10, 0}, Field::density, 2, Broken::below},
    };
    for (const auto& [slope, field, position, how] : broken) {
        const BishopResult result = critical_circle(slope);
        ASSERT_EQ(result.reason, BishopReason::broken_rule);
        ASSERT_TRUE(result.violation);
        EXPECT_EQ(result.violation->rule.field, field);
        EXPECT_EQ(result.violation->position, position);
        EXPECT_EQ(result.violation->broken, how);
        EXPECT_EQ(refused_position(result), position);
        EXPECT_TRUE(std::isnan(result.factor_of_safety));
    }
    // The method's own rules, which join values, name the cohesion: neither friction nor
    // cohesion, and C' / (d H) beyond what a double holds.
    for (const auto& [slope, reason] :
         {std::pair{HomogeneousSlope{10, 30, 0, 0, 20}, BishopReason::no_strength},
          {HomogeneousSlope{10, 30, 30, 1e308, 1e-300}, BishopReason::cohesion_beyond_measure}}) {
        const BishopResult result = critical_circle(slope);
        EXPECT_EQ(result.reason, reason);
        EXPECT_FALSE(result.violation);
        EXPECT_EQ(refused_position(result), place_of(bishop_rules, Field::cohesion));
    }
    // A circle leaving the toe ground nearly 80 degrees steep: m_alpha falls below 0.2 on
    // the slices there.
    const HomogeneousSlope slope{10, 45, 40, 5, 20};
    const BishopResult steep_exit = bishop_on_circle(slope, {0, 10, 50, 50, -std::sqrt(2400.0)}, 32);
    EXPECT_EQ(steep_exit.reason, BishopReason::small_m_alpha);
    EXPECT_LT(steep_exit.smallest_m_alpha, 0.2);
    EXPECT_TRUE(std::isnan(steep_exit.factor_of_safety));
    // Circles that are no slip surface of the slope: entering the crest upside down (the
    // centre below the crest), and leaving the ground on the face.
    EXPECT_EQ(bishop_on_circle(slope, {0, 5, 12, std::sqrt(119.0), -std::sqrt(119.0)}, 32).reason,
              BishopReason::no_slip_circle);
    EXPECT_EQ(bishop_on_circle(slope, {2, 12, std::hypot(1.0, 12.0), 2 + std::sqrt(145.0 - 4), 1}, 32).reason,
              BishopReason::no_slip_circle);
}

}  // namespace
}  // namespace zelm
