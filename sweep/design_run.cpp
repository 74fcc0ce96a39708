#include "sweep/design_run.hpp"

#include "sweep/findings.hpp"

namespace zelm {

DesignRun::DesignRun(const ChartInputs& entered, const SweepSummary& summary)
    : entered_(entered), summary_(summary), findings_(run_findings(entered, summary)) {}

DesignRun DesignRun::swept(const ChartInputs& entered) {
    return {entered, sweep(entered, [](const SweepRow&) { return true; })};
}

}  // namespace zelm
