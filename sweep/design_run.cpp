#include "sweep/design_run.hpp"

#include "sweep/bishop_answer.hpp"
#include "sweep/findings.hpp"

namespace zelm {

DesignRun::DesignRun(const ChartInputs& entered, const SweepSummary& summary, const BishopFindings* bishop)
    : entered_(entered), summary_(summary), findings_(run_findings(entered, summary)) {
    if (bishop != nullptr) {
        // The factor of safety of the chart's angle, which the workbook holds, is not the file's.
        for (Diagnostic& note : bishop_notes(*bishop, entered)) {
            if (note.id != Said::bishop_fs_empty && note.id != Said::bishop_fs_empty_at_angle) {
                findings_.push_back(std::move(note));
            }
        }
    }
}

DesignRun DesignRun::swept(const ChartInputs& entered) {
    return {entered, sweep(entered, [](const SweepRow&) { return true; })};
}

}  // namespace zelm
