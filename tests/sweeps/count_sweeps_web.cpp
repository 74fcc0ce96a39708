// Linked into a copy of the page's core with the linker's --wrap on the sweep's
// constructor: every sweep the page makes is counted, and the page's test reads the count
// from the core (sweepsCounted()).
#include "sweep/sweep.hpp"

#include <emscripten/bind.h>

// The sweep's own constructor, and the one every caller reaches instead, by the names
// the linker gives them. On WebAssembly a constructor returns the object it made.
zelm::Sweep* real_sweep(zelm::Sweep* sweep,
                        const zelm::ChartInputs& entered) asm("__real__ZN4zelm5SweepC1ERKNS_11ChartInputsE");
zelm::Sweep* counted_sweep(zelm::Sweep* sweep, const zelm::ChartInputs& entered) asm(
    "__wrap__ZN4zelm5SweepC1ERKNS_11ChartInputsE");

namespace {

int& sweeps() {
    static int counted = 0;  // the test's tally
    return counted;
}

}  // namespace

zelm::Sweep* counted_sweep(zelm::Sweep* sweep, const zelm::ChartInputs& entered) {
    ++sweeps();
    return real_sweep(sweep, entered);
}

EMSCRIPTEN_BINDINGS(counting) {
    emscripten::function(
        "sweepsCounted", +[] { return sweeps(); });
}
