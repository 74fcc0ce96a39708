#include "files/output_file.hpp"

#include "files/file_names.hpp"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <exception>
#include <random>
#include <system_error>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>  // open, close, dup and access under their POSIX names: UTF-8 names here too
#else
#include <unistd.h>
#endif

namespace zelm {
namespace {

namespace fs = std::filesystem;

#ifdef _WIN32
constexpr int binary = O_BINARY | O_NOINHERIT;  // CR LF as written, never CR CR LF
#else
constexpr int binary = O_CLOEXEC;
#endif

Failure failure_of(int error) { return Failure::system_or(error, EIO); }

// A name beside the target that no other run picks: the target's name, 64 random bits
// and ".tmp". Being in the same folder, it is renamed without a copy.
fs::path temporary_name_for(const fs::path& target) {
    auto bits = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    try {
        std::random_device device;
        bits ^= (static_cast<std::uint64_t>(device()) << 32U) ^ device();
    } catch (const std::exception&) {  // no entropy source: the clock still differs from run to run
    }
    std::string suffix = ".";
    for (int digit = 0; digit < 16; ++digit, bits >>= 4U) {
        suffix += "0123456789abcdef"[bits & 0xFU];
    }
    return fs::path(target) += suffix + ".tmp";
}

// The errno that keeps the user from writing `file` over, or 0 when nothing does (or
// there is no such file yet): a read-only file is refused, as the shell refuses it.
int refusal_to_replace(const std::string& file) {
    return access(file.c_str(), F_OK) == 0 && access(file.c_str(), W_OK) != 0 ? errno : 0;
}

// A new file for this run alone (never one that exists), or -1 with errno. It takes the
// permission bits and group of the file it replaces, so that a private or shared
// calculation stays so; a new name gets what the umask allows.
int create_new(const std::string& name, [[maybe_unused]] const std::string& replaced) {
#ifdef _WIN32
    return open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | binary, S_IREAD | S_IWRITE);
#else
    struct stat existing {};
    const bool replaces = stat(replaced.c_str(), &existing) == 0;
    const int descriptor = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | binary, replaces ? 0600 : 0666);
    if (descriptor >= 0 && replaces) {
        // The group first, as a change of group may clear the set-group-ID bit; a group
        // the user may not give leaves the file in the user's own.
        if (fchown(descriptor, static_cast<uid_t>(-1), existing.st_gid) != 0) {
            errno = 0;
        }
        (void)fchmod(descriptor, existing.st_mode & 07777U);
    }
    return descriptor;
#endif
}

// A stream on a descriptor, or the errno of what failed; the descriptor is closed if
// no stream takes it.
std::variant<std::FILE*, int> stream_on(int descriptor) {
#ifdef _WIN32
    if (descriptor >= 0) {
        (void)_setmode(descriptor, O_BINARY);  // standard output too: CR LF as written
    }
#endif
    std::FILE* stream = descriptor < 0 ? nullptr : fdopen(descriptor, "wb");
    if (stream == nullptr) {
        const int error = errno;
        if (descriptor >= 0) {
            (void)close(descriptor);
        }
        return error;
    }
    return stream;
}

}  // namespace

std::variant<OutputFile, Failure> OutputFile::open(const Target& target, Writer writer) {
    OutputFile file;
    file.target_ = target.path;
    switch (target.kind) {
        case TargetKind::folder:
            return failure_of(EISDIR);
        case TargetKind::unreachable:
            return failure_of(target.error);
        case TargetKind::device:
        case TargetKind::standard_output: {
            file.name_ = target.name;
            if (writer == Writer::library) {  // opened by the library: a FIFO opened twice would end early
                return file;
            }
            auto stream =
                stream_on(target.kind == TargetKind::device ? ::open(target.name.c_str(), O_WRONLY | binary)
                                                            : ::dup(1));
            if (const int* error = std::get_if<int>(&stream)) {
                return failure_of(*error);
            }
            file.stream_ = std::get<std::FILE*>(stream);
            return file;
        }
        case TargetKind::file:
            break;
    }
    const std::string target_name = utf8_name(target.path);
    if (const int refused = refusal_to_replace(target_name)) {
        return failure_of(refused);
    }
    std::error_code no_folder;
    file.folder_ = fs::absolute(target.path, no_folder).parent_path();
    if (no_folder) {
        return Failure(no_folder.message());
    }
    // A name taken meanwhile by another run is simply passed over.
    int descriptor = -1;
    for (int attempt = 0; attempt < 100 && descriptor < 0; ++attempt) {
        file.temporary_ = temporary_name_for(target.path);
        descriptor = create_new(utf8_name(file.temporary_), target_name);
        if (descriptor < 0 && errno != EEXIST) {
            const int error = errno;
            file.temporary_.clear();
            return failure_of(error);
        }
    }
    file.name_ = utf8_name(file.temporary_);
    if (writer == Writer::library) {  // an empty file of ours, under a name the library fills
        if (close(descriptor) != 0) {
            return failure_of(errno);
        }
        return file;
    }
    auto stream = stream_on(descriptor);
    if (const int* error = std::get_if<int>(&stream)) {
        return failure_of(*error);
    }
    file.stream_ = std::get<std::FILE*>(stream);
    return file;
}

OutputFile::OutputFile(OutputFile&& other) noexcept
    : stream_(std::exchange(other.stream_, nullptr)),
      temporary_(std::exchange(other.temporary_, {})),
      target_(std::move(other.target_)),
      folder_(std::move(other.folder_)),
      name_(std::move(other.name_)) {}

OutputFile::~OutputFile() {
    if (stream_ != nullptr) {
        (void)std::fclose(stream_);
    }
    if (!temporary_.empty()) {
        std::error_code ignored;
        fs::remove(temporary_, ignored);
    }
}

std::optional<Failure> OutputFile::commit() {
    if (stream_ != nullptr) {
        std::FILE* const stream = std::exchange(stream_, nullptr);
        errno = 0;
        const bool flushed = std::fflush(stream) == 0 && std::ferror(stream) == 0;
        const int error = errno;
        if (std::fclose(stream) != 0 || !flushed) {
            return failure_of(flushed ? errno : error);
        }
    }
    if (!temporary_.empty()) {
        std::error_code renamed;
        fs::rename(temporary_, target_, renamed);
        if (renamed) {
            return renamed.category() == std::generic_category() ? Failure::system(renamed.value())
                                                                 : Failure(renamed.message());
        }
        temporary_.clear();
    }
    return std::nullopt;
}

}  // namespace zelm
