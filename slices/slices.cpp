#include "slices/slices.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace zelm::slices {
namespace {

// The segment between a slice's base, an arc of radius r, and its chord of length c:
// the arc's length, r f with f the angle it spans; the segment's area, r^2 (f - sin f) / 2;
// and the segment's moment about the circle's centre (its centroid lies on the radius
// through the chord's middle) over the horizontal distance from the centre to the
// chord's middle, 2/3 r^2 u^3 / sqrt(1 - u^2). All are written with u = sin(f / 2) =
// c / (2 r), in series for a short arc, so that one of a large circle loses no digits.
struct Segment {
    double arc_length;
    double area;
    double moment_per_arm;
};

Segment segment(double chord, double radius, double over_radius) {
    const double u = 0.5 * chord * over_radius;
    const double u2 = u * u;
    if (u < 0.04) {  // the series to u^9, within 10^-12
        const double half_angle = u * (1.0 + u2 * (1.0 / 6.0 + u2 * (3.0 / 40.0 + u2 * (5.0 / 112.0))));
        const double sector_less =
            u * u2 * (4.0 / 3.0 + u2 * (2.0 / 5.0 + u2 * (3.0 / 14.0 + u2 * (5.0 / 36.0))));
        const double over_cosine =
            1.0 + u2 * (0.5 + u2 * (3.0 / 8.0 + u2 * (5.0 / 16.0 + u2 * (35.0 / 128.0))));
        return {2.0 * radius * half_angle, 0.5 * radius * radius * sector_less,
                2.0 / 3.0 * radius * radius * u * u2 * over_cosine};
    }
    const double cosine = std::sqrt(1.0 - u2);
    const double half_angle = std::asin(u);
    return {2.0 * radius * half_angle, radius * radius * (half_angle - u * cosine),
            2.0 / 3.0 * radius * radius * u * u2 / cosine};
}

// A slice between x = left and x = right, the heights of its base's ends, and of the arc
// halfway between them.
struct Between {
    double left;
    double right;
    double base_left;
    double base_right;
    double base_middle = 0.0;
};

// The ground's height at x: the toe ground, the face or the crest.
double ground_at(double x, double crest_edge) {
    return x <= 0.0 ? 0.0 : x >= crest_edge ? 1.0 : x / crest_edge;
}

// The pore pressure at the middle of a slice's base, at (x, base).
double pore_pressure(const ScaledSlope& slope, double x, double base) {
    const double ground = ground_at(x, slope.crest_edge);
    switch (slope.water) {
        case PoreWater::ratio:
            return slope.pore_pressure_ratio * std::max(0.0, ground - base);
        case PoreWater::phreatic:
        case PoreWater::surface: {
            const double line = slope.water != PoreWater::surface && slope.water_reach > slope.crest_edge
                                    ? std::min(1.0, std::max(0.0, x) / slope.water_reach)
                                    : ground;
            return slope.water_weight * std::max(0.0, line - base);
        }
        case PoreWater::dry:
            break;
    }
    return 0.0;
}

// The moment of a slice's area about the circle's centre height, the integral of (yc - y)
// over it: the trapezoid's, the integral over x of (ground - base) (yc - (ground + base) / 2),
// a quadratic in x which Simpson's rule gives exactly; and the segment's, whose centroid
// lies on the radius through the chord's middle as for its moment about the vertical.
double under_centre(double centre_y, const Between& at, double ground_left, double ground_right,
                    const Segment& under) {
    const auto column = [&](double ground, double base) {
        return (ground - base) * (centre_y - 0.5 * (ground + base));
    };
    const double base_middle = 0.5 * (at.base_left + at.base_right);
    const double trapezoid =
        (at.right - at.left) / 6.0 *
        (column(ground_left, at.base_left) + 4.0 * column(0.5 * (ground_left + ground_right), base_middle) +
         column(ground_right, at.base_right));
    return trapezoid + under.moment_per_arm * (centre_y - base_middle);
}

// The slice's weight is the area between the ground and the arc over it, exactly, and so
// are its moments about the circle's centre: a trapezoid between the ground and the base's
// chord, and the segment between that chord and the arc. Its base's inclination is the
// chord's, which is the arc's halfway along it.
void add_slice(const SlipCircle& circle, double over_radius, const ScaledSlope& slope, const Between& at,
               Slices& slices) {
    const double crest_edge = slope.crest_edge;
    const double width = at.right - at.left;
    const double drop = at.base_right - at.base_left;
    const double chord = std::sqrt(width * width + drop * drop);
    if (!(chord > 0.0)) {
        return;
    }
    const double over_chord = 1.0 / chord;
    const Segment under = segment(chord, circle.radius, over_radius);
    // The ground over the chord: the toe ground, the face or the crest, whichever the slice
    // lies under.
    const double middle = 0.5 * (at.left + at.right);
    const bool on_face = middle > 0.0 && middle < crest_edge;
    const double ground_left = on_face ? at.left / crest_edge : middle > 0.0 ? 1.0 : 0.0;
    const double ground_right = on_face ? at.right / crest_edge : middle > 0.0 ? 1.0 : 0.0;
    const double high_left = ground_left - at.base_left;
    const double high_right = ground_right - at.base_right;
    const double trapezoid = 0.5 * (high_left + high_right) * width;
    const double arm = 0.5 * (at.left + at.right) - circle.centre_x;
    const double moment =
        trapezoid * arm + (high_right - high_left) * width * width / 12.0 + under.moment_per_arm * arm;
    const auto n = static_cast<std::size_t>(slices.count++);
    slices.seismic_arm += under_centre(circle.centre_y, at, ground_left, ground_right, under) * over_radius;
    slices.pore_pressure[n] =
        slope.water == PoreWater::dry ? 0.0 : pore_pressure(slope, middle, at.base_middle);
    slices.base_length[n] = under.arc_length;
    slices.weight[n] = std::max(0.0, trapezoid + under.area);
    slices.driving[n] = moment * over_radius;
    slices.base_height[n] = 0.5 * (at.base_left + at.base_right);
    slices.sin_alpha[n] = drop * over_chord;
    slices.cos_alpha[n] = width * over_chord;
}

// The factor of safety at which no base's m_alpha is 0 or less: the iteration's floor.
double lowest_admitted(const Slices& slices, double tan_phi) {
    double lowest = 0.0;
    for (std::size_t i = 0; i < static_cast<std::size_t>(slices.count); ++i) {
        if (slices.sin_alpha[i] < 0.0) {
            lowest = std::max(lowest, -slices.sin_alpha[i] * tan_phi / slices.cos_alpha[i]);
        }
    }
    return lowest;
}

// The weight a slice's base bears beside its pore water, W - u b, b = l cos(alpha) with l
// the base's length. Where the water would carry more than the slice weighs, the base
// bears nothing, rather than pulling: friction cannot resist with a tensile normal force,
// and the slice's share of the resistance is then its cohesion alone.
double effective_weight(const Slices& slices, std::size_t i) {
    return std::max(0.0,
                    slices.weight[i] - slices.pore_pressure[i] * slices.base_length[i] * slices.cos_alpha[i]);
}

// FS = sum[(C' b + (W - u b) tan(phi)) / m_alpha] / driving, solved by Newton's method on
// g(FS) = FS - resistance(FS) / driving, kept within a bracket that narrows at every
// step and bisected where a step leaves it. g is negative just above the floor (where
// a m_alpha tends to 0 and the resistance without bound) and positive for a large FS.
// Where no base rises toward the toe, the iteration's floor is 0, and as FS falls to it
// m_alpha grows without bound on every base that rises into the slope: the resistance
// falls with FS, to sum[(C' b + (W - u b) tan(phi)) / (sin(alpha) tan(phi))] times FS. Where
// that sum is no larger than the driving moment, Bishop's equation has no positive root.
// On a dry slope that stands still it always has one, sum[W / sin(alpha)] being above
// sum[W sin(alpha)]; under pore water or an earthquake the bases near upright, where the
// circle enters the crest, may leave the mass in equilibrium at no factor of safety.
bool without_root(const Slices& slices, const ScaledSlope& slope, double driving) {
    double limit = 0.0;
    for (std::size_t i = 0; i < static_cast<std::size_t>(slices.count); ++i) {
        const double term = slope.cohesion * slices.base_length[i] * slices.cos_alpha[i] +
                            effective_weight(slices, i) * slope.tan_phi;
        if (!(slices.sin_alpha[i] > 0.0) && term > 0.0) {
            return false;  // a flat base keeps its resistance at any FS
        }
        limit += slices.sin_alpha[i] > 0.0 ? term / (slices.sin_alpha[i] * slope.tan_phi) : 0.0;
    }
    return limit <= driving;
}

Trial iterate(const Slices& slices, const ScaledSlope& slope, double driving, double start) {
    const double tan_phi = slope.tan_phi;
    double low = lowest_admitted(slices, tan_phi);
    if (low == 0.0 && without_root(slices, slope, driving)) {
        return {0.0, true};
    }
    double high = std::numeric_limits<double>::infinity();
    double fs = start > low ? start : 2.0 * low;
    if (!(fs > 0.0 && std::isfinite(fs))) {
        return {fs, false};
    }
    for (int step = 0; step < 200; ++step) {
        const double q = tan_phi / fs;
        double resistance = 0.0;
        double slope_of_resistance = 0.0;  // d(resistance) / d(FS), times FS / q
        for (std::size_t i = 0; i < static_cast<std::size_t>(slices.count); ++i) {
            const double inverse_m = 1.0 / (slices.cos_alpha[i] + slices.sin_alpha[i] * q);
            const double term = (slope.cohesion * slices.base_length[i] * slices.cos_alpha[i] +
                                 effective_weight(slices, i) * tan_phi) *
                                inverse_m;
            resistance += term;
            slope_of_resistance += term * slices.sin_alpha[i] * inverse_m;
        }
        const double g = fs - resistance / driving;
        if (g == 0.0) {
            return {fs, true};
        }
        (g < 0.0 ? low : high) = fs;
        const double derivative = 1.0 - q / fs * slope_of_resistance / driving;
        double next = fs - g / derivative;
        if (!(derivative > 0.0 && next >= low && next <= high)) {
            next = std::isfinite(high) ? 0.5 * (low + high) : 2.0 * fs;
        }
        // Settled to 10^-12, or the bracket closed on a root where g, nearly flat, tells no
        // finer.
        if (std::abs(next - fs) <= 1e-12 * fs || high - low <= 1e-12 * fs) {
            return {next, true};
        }
        fs = next;
    }
    return {fs, false};
}

}  // namespace

// The slip surface from the exit to the entry in `count` slices whose bases are arcs of
// equal length, narrow where the arc is steep so that a few slices follow it even where
// it meets the crest nearly upright; those across the toe or the crest edge are cut
// there too, so that the ground over each slice is one straight line. The ends of the
// bases are found by turning the sine and cosine of their angle from the centre's
// vertical one step at a time. The arc's height above the toe is written so that a circle
// of a large radius, nearly flat, loses no digits to the difference of two large
// numbers: with the exit (x0, 0) on the circle, y = (x - x0) (x + x0 - 2 xc) / (yc +
// sqrt(R^2 - (x - xc)^2)).
void cut_slices(const SlipCircle& circle, double crest_edge, int count, Slices& slices) {
    cut_slices(circle, ScaledSlope{crest_edge, 0.0, 0.0}, count, slices);
}

void cut_slices(const SlipCircle& circle, const ScaledSlope& slope, int count, Slices& slices) {
    const double crest_edge = slope.crest_edge;
    const bool wet = slope.water != PoreWater::dry;
    slices.count = 0;
    slices.seismic_arm = 0.0;
    const double radius = circle.radius;
    const double over_radius = 1.0 / radius;
    const auto arc = [&](double x, double below_centre) {
        return (x - circle.exit_x) * (x + circle.exit_x - 2.0 * circle.centre_x) /
               (circle.centre_y + below_centre);
    };
    const auto below_centre = [&](double x) {
        const double across = x - circle.centre_x;
        return std::sqrt(std::max(0.0, (radius - across) * (radius + across)));
    };
    const auto add = [&](Between& at) {
        if (wet) {
            const double middle = 0.5 * (at.left + at.right);
            at.base_middle = arc(middle, below_centre(middle));
        }
        add_slice(circle, over_radius, slope, at, slices);
        at = {at.right, at.right, at.base_right, at.base_right};
    };
    double sine = std::clamp((circle.exit_x - circle.centre_x) * over_radius, -1.0, 1.0);
    double cosine = circle.centre_y * over_radius;
    const double step = (std::asin(std::clamp((circle.entry_x - circle.centre_x) * over_radius, -1.0, 1.0)) -
                         std::asin(sine)) /
                        count;
    const double turn_cosine = std::cos(step);
    const double turn_sine = std::sin(step);
    const std::array<double, 2> corners{0.0, crest_edge};
    std::size_t corner = 0;
    Between at{circle.exit_x, circle.exit_x, 0.0, 0.0};
    for (int i = 1; i <= count; ++i) {
        const double turned = sine * turn_cosine + cosine * turn_sine;
        cosine = cosine * turn_cosine - sine * turn_sine;
        sine = turned;
        const double right =
            i < count ? std::clamp(circle.centre_x + radius * sine, at.left, circle.entry_x) : circle.entry_x;
        for (; corner < corners.size() && corners[corner] < right; ++corner) {
            if (corners[corner] > at.left) {
                at.right = corners[corner];
                at.base_right = arc(at.right, below_centre(at.right));
                add(at);
            }
        }
        at.right = right;
        at.base_right = i < count ? arc(right, radius * cosine) : slope.crack_bottom;
        add(at);
    }
    // The water in the crack pushes on its face, a third of its depth above its bottom.
    const double crack = 1.0 - slope.crack_bottom;
    slices.crack_push =
        slope.crack_thrust * (circle.centre_y - slope.crack_bottom - crack / 3.0) * over_radius;
}

Trial factor_of_safety(const Slices& slices, const ScaledSlope& slope) {
    double driving = 0.0;
    double ordinary = 0.0;  // the resistance with the normal force W cos(alpha) - u l
    for (std::size_t i = 0; i < static_cast<std::size_t>(slices.count); ++i) {
        driving += slices.driving[i];
        const double normal = std::max(
            0.0, slices.weight[i] * slices.cos_alpha[i] - slices.pore_pressure[i] * slices.base_length[i]);
        ordinary += slope.cohesion * slices.base_length[i] + normal * slope.tan_phi;
    }
    // The earthquake and the crack's water, whose moments turn the mass as its weight does.
    driving += slope.seismic_coefficient * slices.seismic_arm + slices.crack_push;
    if (!(driving > 0.0)) {
        return {std::numeric_limits<double>::infinity(), true};
    }
    // Without friction m_alpha is cos(alpha) and FS is had at once.
    if (slope.tan_phi == 0.0) {
        return {ordinary / driving, true};
    }
    return iterate(slices, slope, driving, ordinary / driving);
}

double smallest_m_alpha(const Slices& slices, const ScaledSlope& slope, double factor_of_safety) {
    double smallest = 1.0;
    for (std::size_t i = 0; i < static_cast<std::size_t>(slices.count); ++i) {
        if (slices.sin_alpha[i] < 0.0) {
            smallest = std::min(smallest,
                                slices.cos_alpha[i] + slices.sin_alpha[i] * slope.tan_phi / factor_of_safety);
        }
    }
    return smallest;
}

// The effective normal force on a base, N' = (W - u b - C' b tan(alpha) / FS) / m_alpha,
// is below 0 where W - u b < C' l sin(alpha) / FS, l the base's length.
double tension_depth(const Slices& slices, const ScaledSlope& slope, double factor_of_safety) {
    double depth = 0.0;
    for (auto i = static_cast<std::size_t>(slices.count); i-- > 0;) {
        const double pull = slope.cohesion * slices.base_length[i] * slices.sin_alpha[i] / factor_of_safety;
        const double borne =
            slices.weight[i] - slices.pore_pressure[i] * slices.base_length[i] * slices.cos_alpha[i];
        if (!(borne < pull)) {
            break;
        }
        depth = std::max(depth, 1.0 - slices.base_height[i]);
    }
    return depth;
}

SlipCircle circle_on_chord(double exit_x, double entry_x, double theta, double top) {
    const double run = entry_x - exit_x;
    const double chord = std::hypot(run, top);
    const double radius = 0.5 * chord / std::sin(theta);
    const double offset = 0.5 * chord / std::tan(theta);  // from the chord's middle to the centre
    // The centre lies on the normal to the chord that points up and toward the toe.
    return {0.5 * (exit_x + entry_x) - offset * top / chord, 0.5 * top + offset * run / chord, radius,
            entry_x, exit_x};
}

}  // namespace zelm::slices
