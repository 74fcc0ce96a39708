// Descriptors on POSIX systems: none is inherited by a program run from this one, and a
// new file takes over the permission bits and group of the one it replaces.
#include "files/output_file_platform.hpp"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zelm {

int platform::refusal_to_replace(const std::string& file) {
    return access(file.c_str(), F_OK) == 0 && access(file.c_str(), W_OK) != 0 ? errno : 0;
}

int platform::create_new(const std::string& name, const std::string& replaced) {
    struct stat existing {};
    const bool replaces = stat(replaced.c_str(), &existing) == 0;
    const int descriptor =
        open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, replaces ? 0600 : 0666);
    if (descriptor >= 0 && replaces) {
        // The group first, as a change of group may clear the set-group-ID bit; a group
        // the user may not give leaves the file in the user's own.
        if (fchown(descriptor, static_cast<uid_t>(-1), existing.st_gid) != 0) {
            errno = 0;
        }
        (void)fchmod(descriptor, existing.st_mode & 07777U);
    }
    return descriptor;
}

int platform::open_device(const std::string& name) { return open(name.c_str(), O_WRONLY | O_CLOEXEC); }

int platform::duplicate_standard_output() { return dup(STDOUT_FILENO); }

std::FILE* platform::binary_stream_on(int descriptor) { return fdopen(descriptor, "wb"); }

int platform::close_descriptor(int descriptor) { return close(descriptor); }

}  // namespace zelm
