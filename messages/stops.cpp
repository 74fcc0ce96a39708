#include "messages/stops.hpp"

namespace zelm {
namespace {

const char* stopped_by(Stop stop) {
    switch (stop) {
        case Stop::sigterm:
            return "stopped by SIGTERM";
        case Stop::sighup:
            return "stopped by SIGHUP";
        case Stop::ctrl_c:
            return "stopped by Ctrl-C";
        case Stop::ctrl_break:
            return "stopped by Ctrl-Break";
        case Stop::console_closed:
            return "stopped as the console closed";
        case Stop::sigint:
            break;
    }
    return "stopped by SIGINT";
}

}  // namespace

std::string stopped(Stop stop, bool file_removed) {
    return std::string(stopped_by(stop)) +
           (file_removed ? "; the file being written was removed, and any earlier one is unchanged." : ".");
}

}  // namespace zelm
