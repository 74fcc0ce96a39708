#include "files/target.hpp"

#include <cerrno>
#include <optional>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
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

// A symbolic link (or another reparse point), whether or not it points anywhere.
bool is_link(const fs::path& named) {
    const DWORD attributes = GetFileAttributesW(named.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// The file at the end of a link's chain, as the system opens it; nothing when the
// chain ends nowhere. The C++ library of this build follows no link on Windows.
std::optional<fs::path> end_of_links(const fs::path& named) {
    const HANDLE handle =
        CreateFileW(named.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    std::wstring path(32768, L'\0');  // the longest path Windows knows
    const DWORD length = GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()),
                                                   FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    CloseHandle(handle);
    if (length == 0 || length >= path.size()) {
        return std::nullopt;
    }
    path.resize(length);
    // \\?\C:\... as C:\..., and \\?\UNC\server\... as \\server\...
    if (path.starts_with(L"\\\\?\\UNC\\")) {
        path = L"\\" + path.substr(7);
    } else if (path.starts_with(L"\\\\?\\")) {
        path = path.substr(4);
    }
    return fs::path(path);
}
#else
// True when `named` is the file the program's standard output already writes into:
// /dev/stdout or /proc/self/fd/1, or a link to them, with the output sent to a file.
bool is_standard_output(const fs::path& named) {
    struct stat target {};
    struct stat output {};
    return stat(named.c_str(), &target) == 0 && fstat(STDOUT_FILENO, &output) == 0 &&
           target.st_dev == output.st_dev && target.st_ino == output.st_ino;
}
#endif

}  // namespace

Target find_target(const fs::path& named) {
    std::error_code error;
    // What the name stands for as the system opens it, links followed: a device such
    // as /dev/null is written under its own name, whatever the links on the way.
    const fs::file_status status = fs::status(named, error);
    if (fs::is_directory(status)) {
        return {TargetKind::folder, named};
    }
#ifdef _WIN32
    if (is_device(named)) {
        return {TargetKind::device, named};
    }
    if (is_link(named)) {
        const auto file = end_of_links(named);
        return file ? Target{TargetKind::file, *file} : Target{TargetKind::unreachable, named, ENOENT};
    }
#else
    // Replacing it would leave the descriptor the program was given on the old file,
    // and lose what else is written there.
    if (is_standard_output(named)) {
        return {TargetKind::standard_output, named};
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
