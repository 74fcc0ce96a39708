#include "files/file_names.hpp"

namespace zelm {

namespace fs = std::filesystem;

#ifdef _WIN32
fs::path path_of(const std::string& utf8_name) {
    return fs::path(std::u8string(utf8_name.begin(), utf8_name.end()));
}

std::string utf8_name(const fs::path& file) {
    const std::u8string name = file.u8string();
    return {name.begin(), name.end()};
}
#else
fs::path path_of(const std::string& utf8_name) { return utf8_name; }
std::string utf8_name(const fs::path& file) { return file.native(); }
#endif

bool has_xlsx_extension(const fs::path& file) {
    std::string extension = file.extension().string();
    for (char& c : extension) {
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return extension == ".xlsx";
}

}  // namespace zelm
