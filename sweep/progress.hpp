// Long work (the rows of a result file by the million, a workbook's rows) tells its host
// between two blocks how many of its rows are done, for a host that shows it: the program,
// on a terminal. The work is the same whether it is told or not.
#pragma once

#include <cstdint>
#include <functional>

namespace zelm {

// Told the rows done so far and the rows of the whole run. An empty one is told nothing.
using TellProgress = std::function<void(std::int32_t done, std::int32_t total)>;

inline void tell_progress(const TellProgress& progress, std::int32_t done, std::int32_t total) {
    if (progress) {
        progress(done, total);
    }
}

}  // namespace zelm
