// Windows tells a console's Ctrl-C on a thread of its own, and interrupts no write.
#include "result/worker_signals.hpp"

namespace zelm::platform {

void leave_signals_to_the_writer() {}

}  // namespace zelm::platform
