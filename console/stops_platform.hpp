// What stopping the program takes from the system it runs on: stops.cpp has the
// stop's words said and leaves the rest to stops_posix.cpp (signals) or stops_win32.cpp
// (console events), one of which the build takes. Both also define record_stops,
// stop_requested and input_ended_by_a_stop.
#pragma once

#include "console/stops.hpp"

namespace zelm::platform {

// The stop that was recorded first.
Stop stop_recorded();

// Ends the program as the recorded stop would have ended it, once its words are said.
[[noreturn]] void end_as_the_stop_would();

}  // namespace zelm::platform
