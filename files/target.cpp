#include "files/target.hpp"

#include <cerrno>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace zelm {
namespace {

namespace fs = std::filesystem;

// Like the system itself, give up after 40 links in a row: they run in a loop.
constexpr int max_links = 40;

#ifdef _WIN32
// Windows' devices (NUL, CON, COM1, ...) and named pipes answer a query of their type
// without being opened for writing; files and folders are "disk" there.
bool is_device(const fs::path& named) {
    const HANDLE handle =
        CreateFileW(named.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    const DWORD type = GetFileType(handle);
    CloseHandle(handle);
    return type == FILE_TYPE_CHAR || type == FILE_TYPE_PIPE;
}
#endif

}  // namespace

Target find_target(const fs::path& named) {
    std::error_code error;
    // What the name stands for as the system opens it, links followed: a device such
    // as /dev/stdout is written under its own name, whatever the links on the way.
    const fs::file_status status = fs::status(named, error);
    if (fs::is_directory(status)) {
        return {TargetKind::folder, named};
    }
#ifdef _WIN32
    if (is_device(named)) {
        return {TargetKind::device, named};
    }
#endif
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        return {TargetKind::device, named};
    }
    // A regular file, or none yet: the one at the end of the links is replaced.
    fs::path file = named;
    for (int links = 0; fs::is_symlink(fs::symlink_status(file, error)); ++links) {
        if (links == max_links) {
            return {TargetKind::unreachable, named, ELOOP};
        }
        const fs::path points_to = fs::read_symlink(file, error);
        if (error) {
            return {TargetKind::unreachable, named, error.value()};
        }
        file = points_to.is_absolute() ? points_to : file.parent_path() / points_to;
    }
    return {TargetKind::file, file};
}

}  // namespace zelm
