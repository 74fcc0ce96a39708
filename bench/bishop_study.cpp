// Bishop's factor of safety beside the one the design chart gives for the same standing
// slope (the check's range of FS, as `zelm-fs --check` prints it): friction angles of 20
// to 40 degrees, y = C' / (d H tan(phi)) from 0.02 to 0.5, faces of 25 to 70 degrees. One
// line per slope, the chart's lowest and highest FS, Bishop's on the critical circle and
// the ratio of the chart's middle to it; then, for the chart's lowest, middle and
// highest, how many slopes and the smallest, median and largest ratio. Run by hand:
//   cmake --build --preset default --target zelm_bishop_study
//   ./build/default/bench/zelm_bishop_study
#include "slices/bishop.hpp"
#include "sweep/check.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <numbers>
#include <vector>

namespace {

void summary(const char* name, std::vector<double> ratios) {
    if (ratios.empty()) {
        return;
    }
    std::sort(ratios.begin(), ratios.end());
    const std::size_t n = ratios.size();
    const double median = n % 2 == 1 ? ratios[n / 2] : 0.5 * (ratios[n / 2 - 1] + ratios[n / 2]);
    std::printf("%s\t%zu\t%.3f\t%.3f\t%.3f\n", name, n, ratios.front(), median, ratios.back());
}

void columns(std::initializer_list<const char*> names) {
    const char* separator = "";
    for (const char* name : names) {
        std::printf("%s%s", separator, name);
        separator = "\t";
    }
    std::printf("\n");
}

}  // namespace

int main() {
    std::vector<double> lowest;
    std::vector<double> middle;
    std::vector<double> highest;
    columns({"phi", "y", "face", "chart_lowest", "chart_highest", "bishop", "ratio"});
    for (const float phi : {20.0F, 25.0F, 30.0F, 35.0F, 40.0F}) {
        for (const double y : {0.02, 0.05, 0.1, 0.2, 0.3, 0.5}) {
            for (float face = 25.0F; face <= 70.0F; face += 5.0F) {
                const float height = 10.0F;
                const float density = 2.0F;
                const auto cohesion =
                    static_cast<float>(y * density * height * std::tan(phi * std::numbers::pi / 180.0));
                const zelm::CheckAnswer chart = zelm::check_slope({phi, cohesion, density, height, face});
                const zelm::BishopResult bishop =
                    zelm::critical_circle({height, face, phi, cohesion, density});
                if (chart.verdict != zelm::Verdict::on_row || bishop.reason != zelm::BishopReason::none) {
                    std::printf("%g\t%g\t%g\t\t\t%.3f\t\n", phi, y, face, bishop.factor_of_safety);
                    continue;
                }
                const double low = chart.lowest.value();
                const double high = chart.highest.value();
                const double fs = bishop.factor_of_safety;
                std::printf("%g\t%g\t%g\t%.2f\t%.2f\t%.3f\t%.3f\n", phi, y, face, low, high, fs,
                            0.5 * (low + high) / fs);
                lowest.push_back(low / fs);
                middle.push_back(0.5 * (low + high) / fs);
                highest.push_back(high / fs);
            }
        }
    }
    columns({"chart", "slopes", "smallest", "median", "largest"});
    summary("lowest", lowest);
    summary("middle", middle);
    summary("highest", highest);
}
