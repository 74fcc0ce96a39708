// Why a file could not be written, as every writer reports it.
#pragma once

#include <string>

namespace zelm {

struct Failure {
    std::string reason;  // the system's words ("No such file or directory") or the program's own
};

}  // namespace zelm
