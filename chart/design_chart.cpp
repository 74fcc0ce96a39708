#include "chart/design_chart.hpp"

#include "chart/coordinates.hpp"
#include "chart/float_bits.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>

namespace zelm {
namespace {

// Where a row has no such coefficient.
constexpr float dash = std::numeric_limits<float>::quiet_NaN();

// The whole number of hundredths nearest to 100 x, as a double: infinite for an
// infinite x, not a number for NaN.
double hundredths_of(float x) { return std::round(100.0 * static_cast<double>(x)); }

const ChartRow* find_row(const DesignChart& chart, float x) {
    const auto key = row_key(x);
    if (!key) {
        return nullptr;
    }
    const auto row = std::lower_bound(chart.rows.begin(), chart.rows.end(), *key,
                                      [](const ChartRow& r, std::int32_t k) { return r.key < k; });
    return row != chart.rows.end() && row->key == *key ? &*row : nullptr;
}

float coefficient(const DesignChart& chart, float x, float ChartRow::*member) {
    const ChartRow* row = find_row(chart, x);
    return row != nullptr ? row->*member : dash;
}

// Fourth-degree polynomial in y, summed from the highest power down. Each power
// comes from std::pow and each partial sum is a double; only the angle is rounded
// to float. The order and the pow calls are part of the result's last digit.
float polynomial(const DesignChart& chart, float x, float y) {
    const double yd = y;
    double p = std::pow(yd, 4.0) * static_cast<double>(C4(chart, x));
    p = std::pow(yd, 3.0) * static_cast<double>(C3(chart, x)) + p;
    p = std::pow(yd, 2.0) * static_cast<double>(C2(chart, x)) + p;
    p = static_cast<double>(C1(chart, x)) * yd + p;
    return static_cast<float>(static_cast<double>(C0(chart, x)) + p);
}

}  // namespace

std::optional<std::int32_t> row_key(float x) {
    const double hundredths = hundredths_of(x);
    if (!(hundredths >= -0x1p31 && hundredths < 0x1p31)) {  // also false for NaN
        return std::nullopt;
    }
    return static_cast<std::int32_t>(hundredths);
}

std::optional<FactorsOfSafety> factors_of_safety_on_row(float phi, std::int32_t key) {
    // tan(phi) taken once, as the sweep takes it. Below 0 (phi below 0 or beyond 90
    // degrees) it reads negative rows only; at 0, or not a number, it reads none.
    const double tan_phi = std::tan(static_cast<double>(phi));
    if (std::signbit(tan_phi)) {
        return std::nullopt;
    }
    // The row read at the positive float FS with these bits, as the sweep reads it: x
    // falls, or stays, as FS grows; FS 0 reads no row (x is infinite or not a number).
    const auto row_at = [&](std::uint32_t bits) {
        return hundredths_of(arrondir(A_tangent(tan_phi, float_of(bits)), 2));
    };
    // The first FS whose row is at or below k, as the bits of a float. x is tan(phi)/FS
    // rounded once to a float, so the row changes to k within a few floats of
    // FS = tan(phi) / ((k + 0.5) / 100), which float arithmetic finds to a few floats
    // too: the walks from there, up to a float that reads k or below and back down to
    // the first that does, are short. Every positive FS reads a row at or above 0; one
    // past the largest float stands for no FS at all.
    const auto first_at_or_below = [&](double k) {
        if (k < 0.0) {
            return bits_of(std::numeric_limits<float>::infinity());
        }
        std::uint32_t bits = bits_of(static_cast<float>(tan_phi) * 100.0F / static_cast<float>(k + 0.5));
        while (row_at(bits) > k) {
            ++bits;
        }
        while (row_at(bits - 1) <= k) {
            --bits;
        }
        return bits;
    };
    const std::uint32_t lowest = first_at_or_below(key);
    if (row_at(lowest) != key) {
        return std::nullopt;
    }
    return FactorsOfSafety{float_of(lowest), float_of(first_at_or_below(key - 1.0) - 1)};
}

std::array<float, 2> fitted_x_range(const DesignChart& chart) {
    return {static_cast<float>(chart.fitted.first / 100.0), static_cast<float>(chart.fitted.last / 100.0)};
}

std::int32_t validite(const DesignChart& chart, float x, float y) {
    const ChartRow* row = find_row(chart, x);
    if (row == nullptr) {
        return no_verdict;
    }
    // The compare is in double against the double threshold, so a float y that
    // prints like the threshold can fall either side: 0.91F (0.910000026) is
    // beyond 0.91, while 0.52F (0.519999980) is inside 0.52.
    return static_cast<double>(y) >= row->threshold ? beyond_chart : inside_chart;
}

float C4(const DesignChart& chart, float x) {
    if (const ChartRow* row = find_row(chart, x)) {
        return row->c4;
    }
    const auto key = row_key(x);
    return key && *key >= chart.first_cubic_key ? 0.0F : dash;
}
float C3(const DesignChart& chart, float x) { return coefficient(chart, x, &ChartRow::c3); }
float C2(const DesignChart& chart, float x) { return coefficient(chart, x, &ChartRow::c2); }
float C1(const DesignChart& chart, float x) { return coefficient(chart, x, &ChartRow::c1); }
float C0(const DesignChart& chart, float x) { return coefficient(chart, x, &ChartRow::c0); }

std::optional<float> pente(const DesignChart& chart, float x, float y) {
    const std::int32_t verdict = validite(chart, x, y);
    if (verdict != inside_chart && verdict != beyond_chart) {
        return std::nullopt;
    }
    const float angle = verdict == inside_chart ? polynomial(chart, x, y) : 90.0F;
    // A slope is at most vertical. A NaN angle fails the compare and passes as NaN.
    return angle > 90.0F ? 90.0F : angle;
}

}  // namespace zelm
