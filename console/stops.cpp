#include "console/stops.hpp"

#include "console/stops_platform.hpp"
#include "messages/diagnostic.hpp"
#include "messages/render.hpp"

#include <array>
#include <cstddef>
#include <iostream>

namespace zelm {

Diagnostic stopped(Stop stop, bool file_removed) {
    // What stopped the program, in the order of Stop.
    constexpr std::array by{Said::stop_by_sigint, Said::stop_by_sigterm,    Said::stop_by_sighup,
                            Said::stop_by_ctrl_c, Said::stop_by_ctrl_break, Said::stop_as_the_console_closed};
    return {Said::stopped,
            Field::none,
            {{"by", Clauses{{Diagnostic{by.at(static_cast<std::size_t>(stop))}}}},
             {"removed", Flag{file_removed}}}};
}

void end_by_stop(bool file_removed) {
    say(std::cerr, render(stopped(platform::stop_recorded(), file_removed)));
    platform::end_as_the_stop_would();
}

}  // namespace zelm
