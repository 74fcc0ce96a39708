#include "files/target.hpp"

#include "files/file_names.hpp"

#include <algorithm>
#include <array>
#include <cerrno>
#include <optional>
#include <string_view>
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
// A name in the device namespace (\\.\pipe\x, \\.\COM1) or a name Windows keeps for a
// device in every folder (NUL, CON, COM1, LPT1, also with an extension: NUL.txt).
// Told from the text alone: opening a pipe's name to ask would connect to it.
bool is_device_name(const fs::path& named) {
    const std::wstring& text = named.native();
    if (text.starts_with(LR"(\\.\)") || text.starts_with(L"//./")) {
        return true;
    }
    if (text.starts_with(LR"(\\?\)")) {  // a name taken literally: \\?\C:\NUL is a file
        return false;
    }
    std::wstring stem = named.filename().native();
    stem = stem.substr(0, stem.find(L'.'));
    while (!stem.empty() && stem.back() == L' ') {
        stem.pop_back();
    }
    std::transform(stem.begin(), stem.end(), stem.begin(), [](wchar_t c) { return std::towupper(c); });
    constexpr std::array<std::wstring_view, 6> plain{L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"};
    if (std::find(plain.begin(), plain.end(), stem) != plain.end()) {
        return true;
    }
    return stem.size() == 4 && (stem.starts_with(L"COM") || stem.starts_with(L"LPT")) && stem[3] >= L'1' &&
           stem[3] <= L'9';
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
    if (path.starts_with(LR"(\\?\UNC\)")) {
        path = L"\\" + path.substr(7);
    } else if (path.starts_with(LR"(\\?\)")) {
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

Target found(TargetKind kind, const fs::path& path, const fs::path& named, int error = 0) {
    return {kind, path, utf8_name(named), error};
}

}  // namespace

Target standard_output_target() { return {TargetKind::standard_output, {}, "standard output", 0}; }

Target find_target(const fs::path& named) {
#ifdef _WIN32
    if (is_device_name(named)) {
        return found(TargetKind::device, named, named);
    }
#endif
    std::error_code error;
    // What the name stands for as the system opens it, links followed: a device such
    // as /dev/null is written under its own name, whatever the links on the way.
    const fs::file_status status = fs::status(named, error);
    if (fs::is_directory(status)) {
        return found(TargetKind::folder, named, named);
    }
#ifdef _WIN32
    if (is_link(named)) {
        const auto file = end_of_links(named);
        return file ? found(TargetKind::file, *file, named)
                    : found(TargetKind::unreachable, named, named, ENOENT);
    }
#else
    // Replacing it would leave the descriptor the program was given on the old file,
    // and lose what else is written there.
    if (is_standard_output(named)) {
        return found(TargetKind::standard_output, named, named);
    }
#endif
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
