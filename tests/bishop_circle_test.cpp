// Bishop's factor of safety on a given circle, against answers had another way: without
// friction, the exact one (the cohesion's moment on the arc over the sliding mass's
// moment, both about the centre); with friction, the method as a textbook sets it out,
// on many thin vertical slices of equal width.
#include "slices/bishop.hpp"
#include "slices/slices.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

namespace zelm {
namespace {

double radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

double crest_edge(const HomogeneousSlope& slope) {
    return slope.face_angle == 90 ? 0.0 : slope.height / std::tan(radians(slope.face_angle));
}

// The circle of this centre and radius, with its exit on the toe ground and its entry
// on the crest.
SlipCircle circle(const HomogeneousSlope& slope, double centre_x, double centre_y, double radius) {
    return {centre_x, centre_y, radius,
            centre_x + std::sqrt(radius * radius - std::pow(centre_y - slope.height, 2)),
            centre_x - std::sqrt(radius * radius - centre_y * centre_y)};
}

// The circle of this centre through the toe, leaving the ground there.
SlipCircle toe_circle(const HomogeneousSlope& slope, double centre_x, double centre_y) {
    SlipCircle through_toe = circle(slope, centre_x, centre_y, std::hypot(centre_x, centre_y));
    through_toe.exit_x = 0.0;
    return through_toe;
}

// The mass between the ground and the arc: its area, and its weight's moment about the
// centre. The polygon of the ground closed by the chord from the entry back to the exit
// (its lobes where the chord runs over the ground count against it), and the circular
// segment between that chord and the arc, whose centroid lies on the radius through the
// chord's middle, 4 R sin^3(t) / (3 (2t - sin 2t)) from the centre, t half the angle it
// spans.
struct Mass {
    double area;
    double driving_moment;
};

Mass sliding_mass(const HomogeneousSlope& slope, const SlipCircle& c) {
    const double x[] = {c.exit_x, 0.0, crest_edge(slope), c.entry_x};
    const double y[] = {0.0, 0.0, slope.height, slope.height};
    double area = 0.0;
    double moment = 0.0;  // about x = 0
    for (int i = 0; i < 4; ++i) {
        const int j = (i + 1) % 4;
        const double cross = x[i] * y[j] - x[j] * y[i];
        area -= cross / 2;  // the ground runs clockwise around the mass
        moment -= (x[i] + x[j]) * cross / 6;
    }
    const double chord = std::hypot(c.entry_x - c.exit_x, slope.height);
    const double half_angle = std::asin(chord / (2 * c.radius));
    const double towards_middle =
        (0.5 * (c.exit_x + c.entry_x) - c.centre_x) / (c.radius * std::cos(half_angle));
    const double segment_area = c.radius * c.radius * (2 * half_angle - std::sin(2 * half_angle)) / 2;
    const double segment_moment = 2.0 / 3.0 * std::pow(c.radius * std::sin(half_angle), 3) * towards_middle;
    return {area + segment_area, slope.unit_weight * (moment - c.centre_x * area + segment_moment)};
}

double arc_length(const SlipCircle& c) {
    return c.radius *
           (std::asin((c.entry_x - c.centre_x) / c.radius) - std::asin((c.exit_x - c.centre_x) / c.radius));
}

struct Textbook {
    double factor_of_safety;
    double smallest_m_alpha;
    double tension_depth;
};

Textbook textbook_bishop(const HomogeneousSlope& slope, const SlipCircle& c) {
    constexpr std::size_t count = 100000;
    const double tan_phi = std::tan(radians(slope.friction_angle));
    const double edge = crest_edge(slope);
    const double width = (c.entry_x - c.exit_x) / count;
    std::vector<double> weight(count), sine(count), cosine(count), base(count);
    for (std::size_t i = 0; i < count; ++i) {
        const double x = c.exit_x + (static_cast<double>(i) + 0.5) * width;
        const double ground = x <= 0 ? 0.0 : x >= edge ? slope.height : slope.height * x / edge;
        base[i] = c.centre_y - std::sqrt(c.radius * c.radius - (x - c.centre_x) * (x - c.centre_x));
        weight[i] = slope.unit_weight * width * (ground - base[i]);
        sine[i] = (x - c.centre_x) / c.radius;
        cosine[i] = (c.centre_y - base[i]) / c.radius;
    }
    double driving = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        driving += weight[i] * sine[i];
    }
    double fs = 1.0;
    for (double last = 0.0; std::abs(fs - last) > 1e-14 * fs;) {
        double resisting = 0.0;
        for (std::size_t i = 0; i < count; ++i) {
            resisting +=
                (slope.cohesion * width + weight[i] * tan_phi) / (cosine[i] + sine[i] * tan_phi / fs);
        }
        last = std::exchange(fs, resisting / driving);
    }
    Textbook answer{fs, 1.0, 0.0};
    for (std::size_t i = 0; i < count && sine[i] < 0; ++i) {
        answer.smallest_m_alpha = std::min(answer.smallest_m_alpha, cosine[i] + sine[i] * tan_phi / fs);
    }
    for (std::size_t i = count; i-- > 0 && weight[i] < slope.cohesion * width / cosine[i] * sine[i] / fs;) {
        answer.tension_depth = slope.height - base[i];
    }
    return answer;
}

// Slopes in m, kPa and kN/m3, each with circles through the toe, beyond it, and (the
// first) one that only shaves the face.
struct OnCircles {
    HomogeneousSlope slope;
    std::vector<SlipCircle> circles;
};

std::vector<OnCircles> slopes_and_circles(double friction_angle, double cohesion) {
    const HomogeneousSlope flat{10, 30, friction_angle, cohesion, 20};
    const HomogeneousSlope steep{10, 45, friction_angle, cohesion, 20};
    const HomogeneousSlope cut{6, 90, friction_angle, cohesion, 19};
    // Through the toe and the crest edge, spanning 40 degrees at the centre.
    const double chord = std::hypot(crest_edge(flat), 10.0);
    const double radius = chord / (2 * std::sin(radians(20)));
    const double out = std::sqrt(radius * radius - chord * chord / 4);
    const SlipCircle shaving{0.5 * crest_edge(flat) - out * 10 / chord, 5 + out * crest_edge(flat) / chord,
                             radius, crest_edge(flat), 0.0};
    return {{flat, {shaving, toe_circle(flat, 8, 22), circle(flat, 2, 16, 19)}},
            {steep, {toe_circle(steep, 3, 14), circle(steep, 2, 16, 17)}},
            {cut, {circle(cut, -1, 7.5, std::hypot(1.0, 7.5)), circle(cut, -1, 7, 7.6)}}};
}

// Without friction the slices' weights and moments, exact, add up to the mass's, and the
// cohesion acts on the whole arc: the factor of safety is exact with any number of slices.
TEST(BishopOnACircle, WithoutFrictionExactWithAnySlices) {
    for (const auto& [slope, circles] : slopes_and_circles(0, 25)) {
        for (const SlipCircle& c : circles) {
            const double exact =
                slope.cohesion * arc_length(c) * c.radius / sliding_mass(slope, c).driving_moment;
            for (const int slices : {1, 2, 3, 5, 9, 32, 128}) {
                SCOPED_TRACE(testing::Message() << "face " << slope.face_angle << ", centre " << c.centre_x
                                                << " " << c.centre_y << ", " << slices << " slices");
                const BishopResult result = bishop_on_circle(slope, c, slices);
                ASSERT_EQ(result.reason, BishopReason::none);
                EXPECT_NEAR(result.factor_of_safety, exact, 1e-11 * exact);
            }
        }
    }
}

// The slices' weights add up to the sliding mass's, and their bases' lengths to the arc's,
// exactly, whatever their number: the segments under long bases taken whole and those
// under short ones in series (9 slices of the first circle's 40 degrees come just under
// where the series ends).
TEST(BishopOnACircle, SlicesWeighTheWholeMass) {
    for (const auto& [slope, circles] : slopes_and_circles(30, 10)) {
        const double h = slope.height;
        for (const SlipCircle& c : circles) {
            const SlipCircle scaled{c.centre_x / h, c.centre_y / h, c.radius / h, c.entry_x / h,
                                    c.exit_x / h};
            const double exact = sliding_mass(slope, c).area / (h * h);
            for (const int count : {1, 2, 3, 5, 9, 32, 128}) {
                slices::Slices cut{};
                slices::cut_slices(scaled, crest_edge(slope) / h, count, cut);
                double weight = 0.0;
                double length = 0.0;
                for (std::size_t i = 0; i < static_cast<std::size_t>(cut.count); ++i) {
                    weight += cut.weight[i];
                    length += cut.base_length[i];
                }
                EXPECT_NEAR(weight, exact, 1e-12 * exact) << count << " slices, centre " << c.centre_x;
                EXPECT_NEAR(length, arc_length(scaled), 1e-12 * length)
                    << count << " slices, centre " << c.centre_x;
            }
        }
    }
}

TEST(BishopOnACircle, AsTheTextbookSetsItOut) {
    const double strengths[][2] = {{30, 10}, {15, 25}, {40, 2}, {5, 40}};
    for (const auto& [phi, cohesion] : strengths) {
        for (const auto& [slope, circles] : slopes_and_circles(phi, cohesion)) {
            for (const SlipCircle& c : circles) {
                SCOPED_TRACE(testing::Message()
                             << "phi " << phi << ", C' " << cohesion << ", face " << slope.face_angle
                             << ", centre " << c.centre_x << " " << c.centre_y);
                const Textbook textbook = textbook_bishop(slope, c);
                const BishopResult result = bishop_on_circle(slope, c, 128);
                ASSERT_EQ(result.reason, BishopReason::none);
                EXPECT_NEAR(result.factor_of_safety, textbook.factor_of_safety,
                            2e-5 * textbook.factor_of_safety);
                EXPECT_NEAR(result.smallest_m_alpha, textbook.smallest_m_alpha, 0.01);
                // Told at the middle of the deepest slice in tension, a base's length from its end.
                EXPECT_NEAR(result.tension_depth, textbook.tension_depth, arc_length(c) / 128);
            }
        }
    }
}

// The ends of a circle given to a part in a billion of its radius (typed back from a
// printed line, or found by another program) are taken as on it; further off, the circle
// is no slip surface of the slope.
TEST(BishopOnACircle, EndsOnItToAPartInABillion) {
    const HomogeneousSlope slope{10, 45, 30, 10, 20};
    const SlipCircle exact = circle(slope, 2, 16, 17);
    for (const auto& [off, taken] : {std::pair{0.8e-9, true}, std::pair{1.2e-9, false}}) {
        SlipCircle given = exact;  // the entry moved along the crest, off * R further from the centre
        given.entry_x += off * exact.radius * exact.radius / (exact.entry_x - exact.centre_x);
        const BishopResult result = bishop_on_circle(slope, given, 32);
        EXPECT_EQ(result.reason, taken ? BishopReason::none : BishopReason::no_slip_circle) << off;
    }
}

}  // namespace
}  // namespace zelm
