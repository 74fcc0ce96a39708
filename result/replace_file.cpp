#include "result/replace_file.hpp"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <exception>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace zelm {
namespace {

namespace fs = std::filesystem;

std::uint64_t random_bits() {
    std::uint64_t bits =
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    try {
        std::random_device device;
        bits ^= (static_cast<std::uint64_t>(device()) << 32U) ^ device();
    } catch (const std::exception&) {
        // No entropy source: the clock alone still differs from run to run.
    }
    return bits;
}

}  // namespace

fs::path temporary_path_for(const fs::path& target) {
    for (;;) {
        constexpr char hex[] = "0123456789abcdef";
        std::uint64_t bits = random_bits();
        std::string suffix = ".";
        for (int digit = 0; digit < 16; ++digit, bits >>= 4U) {
            suffix += hex[bits & 0xFU];
        }
        fs::path candidate = target;
        candidate += suffix + ".tmp";
        std::error_code ignored;
        if (!fs::exists(candidate, ignored)) {
            return candidate;
        }
    }
}

std::optional<std::string> move_into_place(const fs::path& temporary, const fs::path& target) {
    std::error_code renamed;
    fs::rename(temporary, target, renamed);
    if (!renamed) {
        return std::nullopt;
    }
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return renamed.message();
}

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
    std::string narrow(2 * wide.size(), '\0');  // at most two bytes a character in an ANSI code page
    const int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                           narrow.data(), static_cast<int>(narrow.size()), nullptr, nullptr);
    narrow.resize(static_cast<std::size_t>(std::max(length, 0)));
    return narrow;
}
#else
fs::path path_of_argument(const std::string& argument) { return argument; }
std::string narrow_name(const fs::path& file) { return file.native(); }
#endif

std::string reason(int error) { return std::generic_category().message(error); }

}  // namespace zelm
