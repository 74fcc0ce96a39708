// Linked into a copy of the program with the linker's --wrap on the sweep's constructor:
// every sweep the run makes is counted, and the count is told on standard error as the
// program ends, for a test to read.
#include "sweep/sweep.hpp"

#include <cstdio>

// The sweep's own constructor, and the one every caller reaches instead, by the names
// the linker gives them.
void real_sweep(zelm::Sweep* sweep,
                const zelm::ChartInputs& entered) asm("__real__ZN4zelm5SweepC1ERKNS_11ChartInputsE");
void counted_sweep(zelm::Sweep* sweep,
                   const zelm::ChartInputs& entered) asm("__wrap__ZN4zelm5SweepC1ERKNS_11ChartInputsE");

namespace {

struct Count {
    int sweeps = 0;
    Count() = default;
    Count(const Count&) = delete;
    Count& operator=(const Count&) = delete;
    ~Count() { (void)std::fprintf(stderr, "sweeps: %d\n", sweeps); }
};
Count count;  // NOLINT(cppcoreguidelines-avoid-non-const-global-variables): the test's tally

}  // namespace

void counted_sweep(zelm::Sweep* sweep, const zelm::ChartInputs& entered) {
    ++count.sweeps;
    real_sweep(sweep, entered);
}
