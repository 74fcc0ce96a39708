// The process's file-size limit where the system has one: room.cpp checks a file against
// it, and the build takes room_posix.cpp or room_win32.cpp for the call.
#pragma once

#include <cstdint>
#include <optional>

namespace zelm::platform {

// The largest file the process may write, in bytes; nothing where there is no limit.
std::optional<std::uintmax_t> file_size_limit();

}  // namespace zelm::platform
