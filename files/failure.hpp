// Why a file was not written, as every writer reports it.
#pragma once

#include <string>
#include <utility>

namespace zelm {

struct Failure {
    explicit Failure(std::string why, std::string found = {})
        : reason(std::move(why)), detail(std::move(found)) {}

    // The host asked the work to stop: nothing is wrong, and nothing was written.
    static Failure stop() {
        Failure failure("stopped");
        failure.stopped = true;
        return failure;
    }

    std::string reason;    // the system's words ("No such file or directory") or the program's own
    std::string detail;    // what was checked and what was found, as a sentence of its own, if any
    bool stopped = false;  // see stop()
};

}  // namespace zelm
