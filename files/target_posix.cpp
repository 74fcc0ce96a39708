// Targets on POSIX systems: every name is looked up as the system opens it, and standard
// output named as a file is told by the file it writes into.
#include "files/target_platform.hpp"

#include <sys/stat.h>
#include <unistd.h>

namespace zelm {
namespace {

// True when `named` is the file the program's standard output already writes into:
// /dev/stdout or /proc/self/fd/1, or a link to them, with the output sent to a file.
bool is_standard_output(const std::filesystem::path& named) {
    struct stat target {};
    struct stat output {};
    return stat(named.c_str(), &target) == 0 && fstat(STDOUT_FILENO, &output) == 0 &&
           target.st_dev == output.st_dev && target.st_ino == output.st_ino;
}

}  // namespace

bool platform::is_device_name(const std::filesystem::path& /*named*/) { return false; }

std::optional<Target> platform::found_by_the_system(const std::filesystem::path& named) {
    // Replacing it would leave the descriptor the program was given on the old file,
    // and lose what else is written there.
    if (is_standard_output(named)) {
        return found(TargetKind::standard_output, named, named);
    }
    return std::nullopt;
}

}  // namespace zelm
