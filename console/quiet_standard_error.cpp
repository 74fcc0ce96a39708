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
    if (nowhere > 2) {  // 2 itself when standard error was closed: nothing to silence then
        saved_ = dup(2);
        (void)dup2(nowhere, 2);
        (void)close(nowhere);
    } else if (nowhere >= 0) {
        (void)close(nowhere);
    }
}

QuietStandardError::~QuietStandardError() {
    (void)std::fflush(stderr);
    if (saved_ >= 0) {
        (void)dup2(saved_, 2);
        (void)close(saved_);
    }
}

}  // namespace zelm
