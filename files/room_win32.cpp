// Windows sets no limit on the size of the files a process writes.
#include "files/room_platform.hpp"

namespace zelm {

std::optional<std::uintmax_t> platform::file_size_limit() { return std::nullopt; }

}  // namespace zelm
