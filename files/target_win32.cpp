// Targets on Windows: a device is told by its name, and a link is followed by the
// system itself, since the C++ library of this build follows none.
#include "files/target_platform.hpp"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cwctype>
#include <string>
#include <string_view>

#include <windows.h>

namespace zelm {
namespace {

namespace fs = std::filesystem;

// A symbolic link (or another reparse point), whether or not it points anywhere.
bool is_link(const fs::path& named) {
    const DWORD attributes = GetFileAttributesW(named.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// The file at the end of a link's chain, as the system opens it; nothing when the
// chain ends nowhere.
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

}  // namespace

// A name in the device namespace (\\.\pipe\x, \\.\COM1) or a name Windows keeps for a
// device in every folder (NUL, CON, COM1, LPT1, also with an extension: NUL.txt).
bool platform::is_device_name(const fs::path& named) {
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

// A link is followed to its file by the system, and one that points nowhere is
// unreachable: Windows gives no way to read where it points.
std::optional<Target> platform::found_by_the_system(const fs::path& named) {
    if (is_link(named)) {
        const auto file = end_of_links(named);
        return file ? found(TargetKind::file, *file, named)
                    : found(TargetKind::unreachable, named, named, ENOENT);
    }
    return std::nullopt;
}

}  // namespace zelm
