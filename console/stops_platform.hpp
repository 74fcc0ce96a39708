// What stopping the program takes from the system it runs on: stops.cpp says the
// stop's words and leaves the rest to stops_posix.cpp (signals) or stops_win32.cpp
// (console events), one of which the build takes. Both also define record_stops,
// stop_requested and input_ended_by_a_stop.
#pragma once

namespace zelm::platform {

// The words for the stop that was recorded first: "stopped by SIGINT", "stopped by Ctrl-C".
const char* stopped_by();

// Ends the program as the recorded stop would have ended it, once its words are said.
[[noreturn]] void end_as_the_stop_would();

}  // namespace zelm::platform
