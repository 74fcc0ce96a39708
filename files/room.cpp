#include "files/room.hpp"

#include "files/room_platform.hpp"

#include <system_error>

namespace zelm {

std::optional<NoRoom> room_for_files(std::uintmax_t largest, std::uintmax_t total,
                                     const std::filesystem::path& folder) {
    if (const auto limit = platform::file_size_limit(); limit && *limit < largest) {
        return NoRoom{NoRoom::Limit::file_size, *limit};
    }
    // The space a user may take there, which a disk kept partly for the system's own
    // use shows as less than the space free.
    std::error_code unknown;
    const std::filesystem::space_info space = std::filesystem::space(folder, unknown);
    if (!unknown && space.available < total) {
        return NoRoom{NoRoom::Limit::free_space, space.available};
    }
    return std::nullopt;
}

}  // namespace zelm
