// Why a file was not written, as every writer reports it.
#pragma once

#include <string>
#include <system_error>
#include <utility>

namespace zelm {

struct Failure {
    explicit Failure(std::string why, std::string found = {})
        : reason(std::move(why)), detail(std::move(found)) {}

    // The system's words for the errno value `code` ("No such file or directory"), and
    // the value itself for a host that reports it as a number.
    static Failure system(int code, std::string found = {}) {
        Failure failure(std::generic_category().message(code), std::move(found));
        failure.error = code;
        return failure;
    }

    // The same for `code` where a call that failed left one, and for `otherwise` where it
    // left 0.
    static Failure system_or(int code, int otherwise, std::string found = {}) {
        return system(code != 0 ? code : otherwise, std::move(found));
    }

    // The host asked the work to stop: nothing is wrong, and nothing was written.
    static Failure stop() {
        Failure failure("stopped");
        failure.stopped = true;
        return failure;
    }

    std::string reason;    // the system's words or the program's own
    std::string detail;    // what was checked and what was found, as a sentence of its own, if any
    int error = 0;         // the errno behind the system's words, 0 for the program's own
    bool stopped = false;  // see stop()
};

}  // namespace zelm
