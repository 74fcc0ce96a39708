#include "console/stops.hpp"

#include "console/stops_platform.hpp"
#include "messages/diagnostic.hpp"
#include "messages/stops.hpp"

#include <iostream>

namespace zelm {

void end_by_stop(bool file_removed) {
    say(std::cerr, stopped(platform::stop_recorded(), file_removed));
    platform::end_as_the_stop_would();
}

}  // namespace zelm
