// A file being written, in a folder of the test's own: what stands at its name before,
// whether the run gets to commit it, and what stands there after. No earlier file is
// lost, a link is followed and kept, and no temporary is ever left behind.
#include "files/output_file.hpp"
#include "files/target.hpp"
#include "result/write_bytes.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <variant>

#include <unistd.h>

namespace zelm {
namespace {

namespace fs = std::filesystem;

enum class Before { nothing, file, link_to_file, dangling_link, folder, no_such_folder };

struct Case {
    const char* what;
    Before before;
    Writer writer;
    bool committed;
    const char* after;  // the text at the name once done (through the link); nullptr: none
};

// clang-format off
constexpr Case cases[] = {
    {"a new file, committed",                     Before::nothing,        Writer::stream,  true,  "new"},
    {"a new file, dropped: nothing is made",      Before::nothing,        Writer::stream,  false, nullptr},
    {"an earlier file, replaced once committed",  Before::file,           Writer::stream,  true,  "new"},
    {"an earlier file, kept when dropped",        Before::file,           Writer::stream,  false, "old"},
    {"a library fills the temporary by its name", Before::file,           Writer::library, true,  "new"},
    {"a library's file dropped: the earlier kept",Before::file,           Writer::library, false, "old"},
    {"through a link, the file it points to",     Before::link_to_file,   Writer::stream,  true,  "new"},
    {"through a link, kept when dropped",         Before::link_to_file,   Writer::stream,  false, "old"},
    {"a link to nowhere makes the file it names", Before::dangling_link,  Writer::stream,  true,  "new"},
    {"a folder is refused",                       Before::folder,         Writer::stream,  true,  nullptr},
    {"a missing folder is refused",               Before::no_such_folder, Writer::stream,  true,  nullptr},
};
// clang-format on

std::optional<std::string> text_at(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in || fs::is_directory(file)) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void write_text(const fs::path& file, const char* text) { std::ofstream(file, std::ios::binary) << text; }

// Sets the folder up as `before` says and gives the name the run writes.
fs::path set_up(const fs::path& folder, Before before) {
    const fs::path name = folder / "result.xls";
    switch (before) {
        case Before::file:
            write_text(name, "old");
            break;
        case Before::link_to_file:
            write_text(folder / "kept.xls", "old");
            fs::create_symlink("kept.xls", name);
            break;
        case Before::dangling_link:
            fs::create_symlink("made.xls", name);
            break;
        case Before::folder:
            fs::create_directory(name);
            break;
        case Before::no_such_folder:
            return folder / "missing" / "result.xls";
        case Before::nothing:
            break;
    }
    return name;
}

// Writes "new" as the writer would, and commits when asked; false when it was refused.
bool run(const fs::path& name, const Case& c) {
    auto opened = OutputFile::open(find_target(name), c.writer);
    auto* file = std::get_if<OutputFile>(&opened);
    if (file == nullptr) {
        return false;
    }
    if (c.writer == Writer::stream) {
        EXPECT_GE(std::fputs("new", file->stream()), 0);
    } else {
        write_text(fs::u8path(file->name()), "new");
    }
    if (c.committed) {
        EXPECT_FALSE(file->commit().has_value()) << c.what;
    }
    return true;
}

TEST(OutputFile, NoEarlierFileLostAndNoTemporaryLeft) {
    const fs::path root = fs::temp_directory_path() / ("zelm-output-file-" + std::to_string(::getpid()));
    for (const Case& c : cases) {
        fs::remove_all(root);
        fs::create_directories(root);
        const fs::path name = set_up(root, c.before);
        const bool refused = !run(name, c);
        EXPECT_EQ(refused, c.before == Before::folder || c.before == Before::no_such_folder) << c.what;
        EXPECT_EQ(text_at(name), c.after ? std::optional<std::string>(c.after) : std::nullopt) << c.what;
        if (c.before == Before::link_to_file || c.before == Before::dangling_link) {
            EXPECT_TRUE(fs::is_symlink(name)) << c.what;
        }
        for (const auto& entry : fs::recursive_directory_iterator(root)) {
            EXPECT_NE(entry.path().extension(), ".tmp") << c.what << ": " << entry.path();
        }
    }
    fs::remove_all(root);
}

// A device is written straight into, and committing it moves nothing.
TEST(OutputFile, DeviceWrittenInPlace) {
    auto opened = OutputFile::open(find_target("/dev/null"), Writer::stream);
    auto* file = std::get_if<OutputFile>(&opened);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->name(), "/dev/null");
    EXPECT_FALSE(file->commit().has_value());
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

}  // namespace
}  // namespace zelm

namespace zelm {
namespace {

// A stream whose every write fails without a word from the system: errno as it was.
std::FILE* refusing_stream() {
    cookie_io_functions_t refuse{};
    refuse.write = [](void*, const char*, std::size_t) -> ssize_t { return 0; };
    return fopencookie(nullptr, "w", refuse);
}

// A write that fails says the system's reason, or EIO where the system gave none: never
// an errno left over from something before it.
TEST(WriteBytes, AFailureWithoutTheSystemsWordIsAnInputOutputError) {
    std::FILE* stream = refusing_stream();
    ASSERT_NE(stream, nullptr);
    ASSERT_EQ(std::setvbuf(stream, nullptr, _IONBF, 0), 0);  // each write reaches the cookie
    errno = ENOENT;
    const std::optional<Failure> failed = write_bytes(stream, "row\r\n");
    ASSERT_TRUE(failed.has_value());
    EXPECT_EQ(failed->errno_value(), EIO);
    std::fclose(stream);
}

}  // namespace
}  // namespace zelm
