// What finding a target takes from the system it runs on: target.cpp walks the links
// and calls these at the two points where POSIX and Windows differ. The build takes
// target_posix.cpp or target_win32.cpp.
#pragma once

#include "files/file_names.hpp"
#include "files/target.hpp"

#include <filesystem>
#include <optional>

namespace zelm {

// The target `named` stands for, found to be `kind` at `path`, with its name for messages.
inline Target found(TargetKind kind, const std::filesystem::path& path, const std::filesystem::path& named,
                    int error = 0) {
    return {kind, path, utf8_name(named), error};
}

namespace platform {

// True when `named` is a device by its name alone, told before anything opens it (on
// Windows, opening a pipe's name to ask would connect to it). Never on POSIX.
bool is_device_name(const std::filesystem::path& named);

// What `named`, which is no folder, stands for where the system must say it rather than
// the walk through its links: nothing when the walk decides.
std::optional<Target> found_by_the_system(const std::filesystem::path& named);

}  // namespace platform
}  // namespace zelm
