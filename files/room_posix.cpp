// The file-size limit on POSIX systems: RLIMIT_FSIZE, as `ulimit -f` sets it.
#include "files/room_platform.hpp"

#include <sys/resource.h>

namespace zelm {

std::optional<std::uintmax_t> platform::file_size_limit() {
#ifdef RLIMIT_FSIZE
    rlimit limit{};
    if (getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) {
        return static_cast<std::uintmax_t>(limit.rlim_cur);
    }
#endif
    return std::nullopt;
}

}  // namespace zelm
