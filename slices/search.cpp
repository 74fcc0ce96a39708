// The search for the critical circle, on the slope scaled to a height of 1, in two
// families of circles:
// - toe circles, through the toe and the crest at entry x = crest edge + u: two
//   parameters, u and the angle 2 theta the arc spans at its centre;
// - circles beyond the toe, leaving the toe ground at exit x = -v: three parameters,
//   u, v and theta, the arc passing under the toe.
// Each family is searched on a coarse grid, then refined from its best points by the
// simplex method of Nelder and Mead. The parameters are reached through folds, functions
// of any real number that stay within their bounds and are flat at them: a bound becomes
// a point where the simplex can settle, and no circle it tries is out of bounds.
#include "slices/bishop.hpp"
#include "slices/slices.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <numbers>
#include <optional>
#include <utility>

namespace zelm::slices {
namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();
constexpr double pi = std::numbers::pi;
constexpr int most_kept = 16;  // grid points kept as starts of refinements

template <std::size_t n>
using Point = std::array<double, n>;

// From any real number to [0, 1], flat at 0 and 1.
double fold(double s) { return 0.5 * (1.0 - std::cos(pi * s)); }

// The largest half-angle theta of an arc on the chord from (exit_x, 0) to (entry_x, top),
// top the crest or a crack's bottom: the arc meets it at most vertically (its centre no
// lower than the entry, so that no slice's base overhangs), and its circle reaches no
// deeper than `deepest` below the toe. The circle's lowest point lies h (1 - cos(delta)
// cos(theta)) / sin(theta) - top/2 below the toe, h the half chord and delta its
// inclination, deepening with theta past delta, where the arc leaves the toe ground level.
double widest_half_angle(double exit_x, double entry_x, double deepest, double top) {
    const double run = entry_x - exit_x;
    const double half_chord = 0.5 * std::hypot(run, top);
    const double at_vertical_entry = 0.5 * pi - std::atan2(top, run);
    const double across = 0.5 * run;  // h cos(delta)
    const double down = deepest + 0.5 * top;
    const double at_deepest =
        std::atan2(down, across) + std::acos(std::min(1.0, half_chord / std::hypot(across, down)));
    return std::min(at_vertical_entry, at_deepest);
}

struct Search {
    ScaledSlope slope;
    CircleSearch options;
    double reach;  // the largest u and v
    int cut_into;  // how many slices each circle tried is cut into

    double entry_at(double s) const { return slope.crest_edge + reach * fold(s) * fold(s); }

    // The circle through the toe at the point (u, theta) of its family.
    std::optional<SlipCircle> toe_circle(const Point<2>& s) const {
        const double entry = entry_at(s[0]);
        const double top = slope.crack_bottom;
        const double widest = widest_half_angle(0.0, entry, options.deepest, top);
        const double theta = widest * (1e-6 + (1.0 - 1e-6) * fold(s[1]));
        if (!(theta > 0.0)) {
            return std::nullopt;
        }
        return circle_on_chord(0.0, entry, theta, top);
    }

    // The circle beyond the toe at (u, v, theta): its arc spans from the one through the
    // toe itself, the flattest that keeps under the toe ground, to the widest.
    std::optional<SlipCircle> beyond_toe(const Point<3>& s) const {
        const double entry = entry_at(s[0]);
        const double exit = -reach * fold(s[1]) * fold(s[1]);
        const double top = slope.crack_bottom;
        // The circle through the exit, the toe and the entry has its centre at
        // (exit / 2, k); no lower than the entry, or the entry would overhang.
        const double k = 0.5 * (entry * entry - entry * exit + top * top) / top;
        if (!(k >= top)) {
            return std::nullopt;
        }
        const double half_chord = 0.5 * std::hypot(entry - exit, top);
        const double flattest = std::asin(std::min(1.0, half_chord / std::hypot(0.5 * exit, k)));
        const double widest = widest_half_angle(exit, entry, options.deepest, top);
        if (!(widest > flattest)) {
            return std::nullopt;
        }
        return circle_on_chord(exit, entry, flattest + (widest - flattest) * fold(s[2]), top);
    }

    double trial(const std::optional<SlipCircle>& circle) const {
        if (!circle) {
            return infinity;
        }
        Slices slices;
        cut_slices(*circle, slope, cut_into, slices);
        const Trial tried = factor_of_safety(slices, slope);
        return tried.settled && tried.factor_of_safety >= 0.0 ? tried.factor_of_safety : infinity;
    }
    double operator()(const Point<2>& s) const { return trial(toe_circle(s)); }
    double operator()(const Point<3>& s) const { return trial(beyond_toe(s)); }
};

template <std::size_t n>
struct Found {
    Point<n> at;
    double value;
};

template <std::size_t n>
using Simplex = std::array<Found<n>, n + 1>;

template <std::size_t n>
Point<n> toward(const Point<n>& from, const Point<n>& to, double by) {
    Point<n> point{};
    for (std::size_t i = 0; i < n; ++i) {
        point[i] = from[i] + by * (to[i] - from[i]);
    }
    return point;
}

// Whether the simplex has shrunk onto its best point: in place to 10^-2 of the grid's
// whole span, in value to 10^-6. Near the bottom of a valley the factor of safety grows
// with the square of the distance from it, so that this puts it within about 10^-6.
template <std::size_t n>
bool settled(const Simplex<n>& simplex, double tolerance) {
    double extent = 0.0;
    for (std::size_t j = 1; j <= n; ++j) {
        for (std::size_t i = 0; i < n; ++i) {
            extent = std::max(extent, std::abs(simplex[j].at[i] - simplex[0].at[i]));
        }
    }
    return extent <= 1e-2 && simplex[n].value - simplex[0].value <= tolerance * simplex[0].value;
}

// One step of Nelder and Mead's method on a simplex sorted best first: reflect the worst
// point through the others' centroid, expand, contract or shrink. Returns the number of
// trials it made.
template <std::size_t n>
int step(const Search& search, Simplex<n>& simplex) {
    Point<n> centroid{};
    for (std::size_t j = 0; j < n; ++j) {
        for (std::size_t i = 0; i < n; ++i) {
            centroid[i] += simplex[j].at[i] / static_cast<double>(n);
        }
    }
    Found<n>& worst = simplex[n];
    const auto tried = [&](double by) {
        const Point<n> at = toward(centroid, worst.at, by);
        return Found<n>{at, search(at)};
    };
    const Found<n> reflected = tried(-1.0);
    if (reflected.value < simplex[0].value) {
        const Found<n> expanded = tried(-2.0);
        worst = expanded.value < reflected.value ? expanded : reflected;
        return 2;
    }
    if (reflected.value < simplex[n - 1].value) {
        worst = reflected;
        return 1;
    }
    const Found<n> contracted = tried(reflected.value < worst.value ? -0.5 : 0.5);
    if (contracted.value < std::min(reflected.value, worst.value)) {
        worst = contracted;
        return 2;
    }
    for (std::size_t j = 1; j <= n; ++j) {
        simplex[j].at = toward(simplex[0].at, simplex[j].at, 0.5);
        simplex[j].value = search(simplex[j].at);
    }
    return 2 + static_cast<int>(n);
}

// The simplex method from a start, its first simplex `size` wide, within a budget of
// trials.
template <std::size_t n>
Found<n> refine(const Search& search, const Found<n>& start, double size, int budget,
                double tolerance = 1e-6) {
    Simplex<n> simplex{};
    simplex[0] = start;
    for (std::size_t j = 1; j <= n; ++j) {
        simplex[j].at = start.at;
        simplex[j].at[j - 1] += size;
        simplex[j].value = search(simplex[j].at);
    }
    for (int trials = static_cast<int>(n); trials < budget;) {
        std::sort(simplex.begin(), simplex.end(),
                  [](const auto& a, const auto& b) { return a.value < b.value; });
        if (settled(simplex, tolerance)) {
            break;
        }
        trials += step(search, simplex);
    }
    return *std::min_element(simplex.begin(), simplex.end(),
                             [](const auto& a, const auto& b) { return a.value < b.value; });
}

// The best points of a family's grid, best first, no two in neighbouring cells: each
// stands for a valley of its own.
template <std::size_t n>
struct Kept {
    std::array<Found<n>, most_kept> best;
    std::size_t count;
    double cell;  // the grid's spacing

    bool neighbours(const Point<n>& a, const Point<n>& b) const {
        for (std::size_t i = 0; i < n; ++i) {
            if (std::abs(a[i] - b[i]) > 1.5 * cell) {
                return false;
            }
        }
        return true;
    }

    void offer(const Found<n>& found, std::size_t capacity) {
        if (!(found.value < infinity)) {
            return;
        }
        std::size_t at = count;
        for (std::size_t k = 0; k < count && at == count; ++k) {
            if (neighbours(best[k].at, found.at)) {
                if (!(found.value < best[k].value)) {
                    return;
                }
                at = k;  // in its neighbour's place
            }
        }
        if (at == count && count == capacity) {
            if (!(found.value < best[count - 1].value)) {
                return;
            }
            at = count - 1;
        } else if (at == count) {
            ++count;
        }
        best[at] = found;
        for (; at > 0 && best[at].value < best[at - 1].value; --at) {
            std::swap(best[at], best[at - 1]);
        }
    }
};

// The bottoms of a family's valleys where the simplex settled, each at its full number of
// slices: the starts of a warm search.
template <std::size_t n>
struct Valleys {
    std::array<Found<n>, most_kept> bottom;
    std::size_t count;

    void add(const Found<n>& found) {
        if (found.value < infinity && count < bottom.size()) {
            bottom[count++] = found;
        }
    }
};

// The circles tried on a family's grid and in its simplex are cut into fewer slices than
// where each simplex settles, enough to rank them: half as many in a cold search, a
// quarter in a warm one.
Search coarser(const Search& search, int fewer) {
    Search coarse = search;
    coarse.cut_into = std::max(4, search.cut_into / fewer);
    return coarse;
}

template <std::size_t n>
Found<n> best_of(const Valleys<n>& valleys) {
    Found<n> best{{}, infinity};
    for (std::size_t k = 0; k < valleys.count; ++k) {
        best = valleys.bottom[k].value < best.value ? valleys.bottom[k] : best;
    }
    return best;
}

// The grid's points, `points` along each parameter at the middles of equal cells, each
// offered to `take`.
template <std::size_t n, typename Take>
void on_grid(int points, Take&& take) {
    int cells = 1;
    for (std::size_t i = 0; i < n; ++i) {
        cells *= points;
    }
    for (int cell = 0; cell < cells; ++cell) {
        Point<n> at{};
        for (int i = 0, rest = cell; i < static_cast<int>(n); ++i, rest /= points) {
            at[static_cast<std::size_t>(i)] = (rest % points + 0.5) / points;
        }
        take(at);
    }
}

// A family searched: its grid, then the simplex from each of its best points. The bottom
// of a valley moves little with the number of slices, and the factor of safety there less
// still.
template <std::size_t n>
Valleys<n> searched(const Search& search, int points, int budget, int fewer, double tolerance = 1e-6) {
    const Search coarse = coarser(search, fewer);
    Kept<n> kept{};
    kept.cell = 1.0 / points;
    const auto capacity = static_cast<std::size_t>(search.options.refinements);
    on_grid<n>(points, [&](const Point<n>& at) { kept.offer({at, coarse(at)}, capacity); });
    Valleys<n> valleys{};
    for (std::size_t k = 0; k < kept.count; ++k) {
        const Point<n> at = refine(coarse, kept.best[k], 1.0 / points, budget, tolerance).at;
        valleys.add({at, search(at)});
    }
    return valleys;
}

// A family searched warm: the simplex from each of the valleys' bottoms, on a first simplex
// a twentieth of a cell of the grid wide, the bottoms moved to where it settles. The
// bottom moves little from one search to the next, and the simplex settles there to 10^-5.
template <std::size_t n>
void searched_again(const Search& search, int points, int budget, Valleys<n>& valleys) {
    const Search coarse = coarser(search, 4);
    for (std::size_t k = 0; k < valleys.count; ++k) {
        const Point<n>& from = valleys.bottom[k].at;
        const Point<n> at = refine(coarse, Found<n>{from, coarse(from)}, 0.1 / points, budget, 1e-5).at;
        valleys.bottom[k] = {at, search(at)};
    }
}

CircleSearch within_bounds(CircleSearch search) {
    search.fineness = std::clamp(search.fineness, 1, 8);
    search.refinements = std::clamp(search.refinements, 1, most_kept);
    search.slices = std::clamp(search.slices, 1, most_slices_asked);
    search.deepest = std::isfinite(search.deepest) ? std::clamp(search.deepest, 0.0, 100.0) : 3.0;
    return search;
}

// Both families' valleys.
struct Families {
    Valleys<2> toe;
    Valleys<3> beyond;
};

// The lowest valley of each family kept for the next search, where it lies within 2% of
// the lowest of both: a valley further above it is not followed until a cold search finds
// it again. And back.
void keep(const Families& found, WarmStart& start) {
    start.count = 0;
    const double lowest = std::min(best_of(found.toe).value, best_of(found.beyond).value);
    const auto put = [&](const auto& valleys, std::uint8_t family) {
        const auto best = best_of(valleys);
        if (best.value < infinity && best.value <= 1.02 * lowest) {
            WarmStart::Valley& valley = start.valleys.at(static_cast<std::size_t>(start.count++));
            valley = {family, {}};
            std::copy(best.at.begin(), best.at.end(), valley.at.begin());
        }
    };
    put(found.toe, 0);
    put(found.beyond, 1);
}

Families kept_valleys(const WarmStart& start) {
    Families found{};
    for (int k = 0; k < start.count; ++k) {
        const WarmStart::Valley& valley = start.valleys.at(static_cast<std::size_t>(k));
        if (valley.family == 0) {
            found.toe.add({{valley.at[0], valley.at[1]}, 0.0});
        } else {
            found.beyond.add({valley.at, 0.0});
        }
    }
    return found;
}

// The grid of each family has 8 points along each parameter through the toe, 5 beyond it,
// times the fineness; the simplex from each start is given 80 trials through the toe, 120
// beyond.
Families cold(const Search& search, int fewer, double tolerance = 1e-6) {
    const int fineness = search.options.fineness;
    Families found{searched<2>(search, 8 * fineness, 80, fewer, tolerance), {}};
    if (search.options.beyond_toe) {
        found.beyond = searched<3>(search, 5 * fineness, 120, fewer, tolerance);
    }
    return found;
}

// A search from `start`'s valleys, where the slope is a little taller or lower than the
// last (within 5%): the simplex from each, on circles cut into a quarter of the slices. The
// valleys are followed, but one that the last search did not know of may come lower: every
// fifth search is the cold one, on the same quarter of the slices, which finds the lowest
// valleys anew. Elsewhere, cold.
Families from_start(const Search& search, double height, WarmStart& start, bool afresh) {
    if (afresh) {
        start.since_cold = 0;
        ++start.afresh;
        return cold(search, 2);
    }
    const bool like_last =
        start.count > 0 && search.options.warm && std::abs(height - start.height) <= 0.05 * start.height;
    if (!like_last) {
        ++start.cold;
        return cold(search, 2);
    }
    if (start.since_cold >= 4) {
        start.since_cold = 0;
        ++start.refreshed;
        return cold(search, 4, 1e-5);
    }
    ++start.since_cold;
    ++start.warm;
    const int fineness = search.options.fineness;
    Families found = kept_valleys(start);
    searched_again<2>(search, 8 * fineness, 80, found.toe);
    searched_again<3>(search, 5 * fineness, 120, found.beyond);
    return found;
}

// The critical circle of the scaled slope, its crack as scaled: the lower of the two
// families' best, cold or from `start`'s valleys, the valleys found kept there.
BishopResult searched_slope(const ScaledSlope& slope, const CircleSearch& within, double height,
                            WarmStart* start, bool afresh) {
    // The ends of the circles searched lie within 2 (deepest + 1) heights of the face: the
    // deep circles of a clay without friction, the widest that are critical, span about
    // 1.5 (deepest + 1/2) on either side of the face's middle.
    const Search search{slope, within, 2.0 * (within.deepest + 1.0), within.slices};
    const Families found = start != nullptr ? from_start(search, height, *start, afresh) : cold(search, 2);
    if (start != nullptr) {
        keep(found, *start);
        start->height = height;
    }
    const Found<2> toe = best_of(found.toe);
    const Found<3> beyond = best_of(found.beyond);
    std::optional<SlipCircle> circle = search.toe_circle(toe.at);
    double lowest = toe.value;
    if (beyond.value < lowest) {
        lowest = beyond.value;
        circle = search.beyond_toe(beyond.at);
    }
    if (!circle || !(lowest < infinity)) {
        return refused(BishopReason::no_slip_circle);
    }
    return judged(*circle, slope, within.slices, height);
}

// The slope's critical circle, with a crack as deep as the soil under the crest of the
// critical circle without one is in tension where the crack is automatic.
BishopResult with_crack(const HomogeneousSlope& slope, const CircleSearch& within, WarmStart* start,
                        bool afresh) {
    ScaledSlope scaled = slices::scaled(slope);
    const SlopeConditions& on = slope.conditions;
    const bool automatic = on.crack == Crack::automatic;
    const BishopResult uncracked =
        searched_slope(scaled, within, slope.height, automatic ? nullptr : start, afresh);
    if (!automatic || uncracked.reason != BishopReason::none || !(uncracked.tension_depth > 0.0)) {
        return uncracked;
    }
    const double depth = uncracked.tension_depth / slope.height;
    scaled.crack_bottom = 1.0 - depth;
    scaled.crack_thrust =
        on.crack_filled ? 0.5 * on.water_unit_weight / slope.unit_weight * depth * depth : 0.0;
    return searched_slope(scaled, within, slope.height, start, afresh);
}

BishopResult critical(const HomogeneousSlope& slope, const CircleSearch& options, WarmStart* start,
                      bool afresh) {
    if (BishopResult refused = values_without_meaning(slope); refused.reason != BishopReason::none) {
        return refused;
    }
    // Without cohesion no circle is critical where the water's pressure and the earthquake
    // grow with depth as the weight does: each flatter and nearer the face gives less.
    // Elsewhere a circle may give less than the slide along the face.
    if (slope.cohesion == 0.0 && shallow_is_critical(slope)) {
        return shallow_slide(slope);
    }
    const BishopResult found = with_crack(slope, within_bounds(options), start, afresh);
    if (slope.cohesion == 0.0) {
        const BishopResult shallow = shallow_slide(slope);
        return found.reason == BishopReason::none && found.factor_of_safety < shallow.factor_of_safety
                   ? found
                   : shallow;
    }
    return found;
}

}  // namespace
}  // namespace zelm::slices

namespace zelm {

BishopResult critical_circle(const HomogeneousSlope& slope, const CircleSearch& options) {
    return slices::critical(slope, options, nullptr, false);
}

BishopResult critical_circle(const HomogeneousSlope& slope, const CircleSearch& options, WarmStart& start) {
    return slices::critical(slope, options, &start, false);
}

BishopResult critical_circle_afresh(const HomogeneousSlope& slope, const CircleSearch& options,
                                    WarmStart& start) {
    return slices::critical(slope, options, &start, true);
}

}  // namespace zelm
