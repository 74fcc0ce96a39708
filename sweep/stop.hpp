// Long work (a sweep of millions of rows, a file's blocks, a workbook's rows) asks its
// host between two blocks whether to go on: the program once a signal to stop has been
// recorded, the page once a newer run has begun, Python on Ctrl-C. The work then returns
// at once, having written nothing it keeps.
#pragma once

#include <functional>

namespace zelm {

// True to stop now. An empty one never stops.
using ShouldStop = std::function<bool()>;

inline bool asked_to_stop(const ShouldStop& stop) { return stop && stop(); }

}  // namespace zelm
