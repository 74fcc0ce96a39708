#include "messages/warnings.hpp"

#include "messages/render.hpp"

namespace zelm {

std::string sentence(const Diagnostic& said) { return render(said); }

std::vector<std::string> warnings(const ChartInputs& entered, const SweepSummary& run) {
    std::vector<std::string> lines;
    for (const Diagnostic& finding : run_findings(entered, run)) {
        lines.push_back(render(finding));
    }
    return lines;
}

std::vector<std::string> warnings_before_the_rows(const ChartInputs& entered) {
    std::vector<std::string> lines;
    if (const auto stopped = heights_stop_growing(entered)) {
        lines.push_back(render(*stopped));
    }
    return lines;
}

std::string heights_text(const Heights& rows) {
    return render("{rows}",
                  Diagnostic{Said::fs_range, Field::none, {{"rows", HeightRange{rows.first, rows.last}}}});
}

}  // namespace zelm
