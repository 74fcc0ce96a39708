#include "files/target.hpp"

#include "files/target_platform.hpp"

#include <cerrno>
#include <optional>
#include <system_error>

namespace zelm {
namespace {

namespace fs = std::filesystem;

// Like the system itself, give up after 40 links in a row: they run in a loop.
constexpr int max_links = 40;

}  // namespace

Target standard_output_target() { return {TargetKind::standard_output, {}, "-", 0}; }

Target find_target(const fs::path& named) {
    if (platform::is_device_name(named)) {
        return found(TargetKind::device, named, named);
    }
    std::error_code error;
    // What the name stands for as the system opens it, links followed: a device such
    // as /dev/null is written under its own name, whatever the links on the way.
    const fs::file_status status = fs::status(named, error);
    if (fs::is_directory(status)) {
        return found(TargetKind::folder, named, named);
    }
    if (std::optional<Target> target = platform::found_by_the_system(named)) {
        return *target;
    }
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        return found(TargetKind::device, named, named);
    }
    // A regular file, or none yet: the one at the end of the links is replaced.
    fs::path file = named;
    for (int links = 0; fs::is_symlink(fs::symlink_status(file, error)); ++links) {
        if (links == max_links) {
            return found(TargetKind::unreachable, named, named, ELOOP);
        }
        const fs::path points_to = fs::read_symlink(file, error);
        if (error) {
            return found(TargetKind::unreachable, named, named, error.value());
        }
        file = points_to.is_absolute() ? points_to : file.parent_path() / points_to;
    }
    return found(TargetKind::file, file, named);
}

}  // namespace zelm
