#include "console/quiet_standard_error.hpp"

#include <cstdio>

#include <fcntl.h>
#ifdef _WIN32
#include <io.h>  // open, dup, dup2 and close, under their POSIX names
constexpr const char* nowhere_path = "NUL";
#else
#include <unistd.h>
constexpr const char* nowhere_path = "/dev/null";
#endif

namespace zelm {

QuietStandardError::QuietStandardError() {
    (void)std::fflush(stderr);
    const int nowhere = open(nowhere_path, O_WRONLY);
    if (nowhere < 0) {
        return;
    }
    // Standard error closed has nothing to silence: `nowhere` took its number, or dup
    // fails. Standard input closed is no such sign: `nowhere` is then 0.
    saved_ = nowhere == 2 ? -1 : dup(2);
    if (saved_ >= 0) {
        (void)dup2(nowhere, 2);
    }
    (void)close(nowhere);
}

QuietStandardError::~QuietStandardError() {
    (void)std::fflush(stderr);
    if (saved_ >= 0) {
        (void)dup2(saved_, 2);
        (void)close(saved_);
    }
}

}  // namespace zelm
