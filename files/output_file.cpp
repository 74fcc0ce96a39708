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
#include <io.h>
#else
#include <unistd.h>
#endif

namespace zelm {
namespace {

namespace fs = std::filesystem;

Failure failure_of(int error) { return Failure::system(error != 0 ? error : EIO); }

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

// A name beside the target that no other run picks, with high probability: the target's
// name, 64 random bits and ".tmp". Being in the same folder, it is renamed without a copy.
fs::path temporary_name_for(const fs::path& target) {
    constexpr char hex[] = "0123456789abcdef";
    std::uint64_t bits = random_bits();
    std::string suffix = ".";
    for (int digit = 0; digit < 16; ++digit, bits >>= 4U) {
        suffix += hex[bits & 0xFU];
    }
    fs::path name = target;
    name += suffix + ".tmp";
    return name;
}

#ifdef _WIN32

// The errno that keeps the user from writing `file` over, or 0 when nothing does: a
// read-only file is refused, as the shell refuses it.
int refusal_to_replace(const fs::path& file) {
    return _waccess(file.c_str(), 0) == 0 && _waccess(file.c_str(), 2) != 0 ? errno : 0;
}

// A new file at `name`, created for this run alone (never one that exists), to be
// written in binary mode; -1 with errno set when it cannot be.
int create_new(const fs::path& name, const fs::path&) {
    return _wopen(name.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                  _S_IREAD | _S_IWRITE);
}

int open_in_place(const fs::path& device) {
    return _wopen(device.c_str(), _O_WRONLY | _O_BINARY | _O_NOINHERIT);
}

int duplicate_standard_output() {
    const int copy = _dup(1);
    if (copy >= 0) {
        (void)_setmode(copy, _O_BINARY);  // CR LF as written, never CR CR LF
    }
    return copy;
}

int close_descriptor(int descriptor) { return _close(descriptor); }

std::FILE* stream_of(int descriptor) { return _fdopen(descriptor, "wb"); }

#else

int refusal_to_replace(const fs::path& file) {
    struct stat existing {};
    if (stat(file.c_str(), &existing) != 0) {
        return 0;  // none yet, or beyond reach: creating the temporary tells
    }
    return faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) != 0 ? errno : 0;
}

// The new file takes the permission bits and group of the file it replaces, so that a
// private or shared calculation stays so; a new name gets what the umask allows.
int create_new(const fs::path& name, const fs::path& replaced) {
    struct stat existing {};
    const bool replaces = stat(replaced.c_str(), &existing) == 0;
    const int descriptor =
        open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, replaces ? 0600 : 0666);
    if (descriptor >= 0 && replaces) {
        // The group first: a change of group may clear the set-group-ID bit.
        (void)fchown(descriptor, static_cast<uid_t>(-1), existing.st_gid);
        (void)fchmod(descriptor, existing.st_mode & 07777U);
    }
    return descriptor;
}

int open_in_place(const fs::path& device) { return open(device.c_str(), O_WRONLY | O_CLOEXEC); }

int duplicate_standard_output() { return fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 0); }

int close_descriptor(int descriptor) { return close(descriptor); }

std::FILE* stream_of(int descriptor) { return fdopen(descriptor, "wb"); }

#endif

// A stream on a descriptor, or -1 with errno when there is none; the descriptor is
// closed either way.
std::variant<std::FILE*, int> stream_on(int descriptor) {
    if (descriptor < 0) {
        return errno;
    }
    std::FILE* stream = stream_of(descriptor);
    if (stream == nullptr) {
        const int error = errno;
        (void)close_descriptor(descriptor);
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
            auto stream = stream_on(target.kind == TargetKind::device ? open_in_place(target.path)
                                                                      : duplicate_standard_output());
            if (const int* error = std::get_if<int>(&stream)) {
                return failure_of(*error);
            }
            file.stream_ = std::get<std::FILE*>(stream);
            return file;
        }
        case TargetKind::file:
            break;
    }
    if (const int refused = refusal_to_replace(target.path)) {
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
        descriptor = create_new(file.temporary_, target.path);
        if (descriptor < 0 && errno != EEXIST) {
            const int error = errno;
            file.temporary_.clear();
            return failure_of(error);
        }
    }
    file.name_ = utf8_name(file.temporary_);
    if (writer == Writer::library) {  // an empty file of ours, under a name the library fills
        if (close_descriptor(descriptor) != 0) {
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
