#include "files/file_names.hpp"

#include <algorithm>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace zelm {

namespace fs = std::filesystem;

#ifdef _WIN32
fs::path path_of_argument(const std::string& argument) {
    std::wstring wide(argument.size(), L'\0');  // never more UTF-16 units than bytes
    const int length = MultiByteToWideChar(CP_ACP, 0, argument.data(), static_cast<int>(argument.size()),
                                           wide.data(), static_cast<int>(wide.size()));
    wide.resize(static_cast<std::size_t>(std::max(length, 0)));
    return wide;
}

std::string narrow_name(const fs::path& file) {
    const std::wstring& wide = file.native();
    const auto convert = [&](char* narrow, int room) {  // with no room, the room needed
        return WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), narrow, room,
                                   nullptr, nullptr);
    };
    std::string narrow(static_cast<std::size_t>(std::max(convert(nullptr, 0), 0)), '\0');
    narrow.resize(
        static_cast<std::size_t>(std::max(convert(narrow.data(), static_cast<int>(narrow.size())), 0)));
    return narrow;
}
#else
fs::path path_of_argument(const std::string& argument) { return argument; }
std::string narrow_name(const fs::path& file) { return file.native(); }
#endif

std::string system_reason(int error) { return std::generic_category().message(error); }

}  // namespace zelm
