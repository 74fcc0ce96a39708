#include "console/stops.hpp"

#include "console/stops_platform.hpp"
#include "messages/diagnostic.hpp"

#include <iostream>
#include <string>

namespace zelm {

void end_by_stop(bool file_removed) {
    say(std::cerr,
        std::string(platform::stopped_by()) +
            (file_removed ? "; the file being written was removed, and any earlier one is unchanged." : "."));
    platform::end_as_the_stop_would();
}

}  // namespace zelm
