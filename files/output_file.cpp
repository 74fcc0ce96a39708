#include "files/output_file.hpp"

#include "files/file_names.hpp"
#include "files/output_file_platform.hpp"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <exception>
#include <random>
#include <system_error>
#include <utility>

namespace zelm {
namespace {

namespace fs = std::filesystem;

Failure failure_of(int error, Failure::Doing doing = Failure::Doing::opening) {
    return Failure::system_or(error, EIO, doing);
}

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

// A stream on a descriptor, or the errno of what failed; the descriptor is closed if
// no stream takes it.
std::variant<std::FILE*, int> stream_on(int descriptor) {
    std::FILE* stream = descriptor < 0 ? nullptr : platform::binary_stream_on(descriptor);
    if (stream == nullptr) {
        const int error = errno;
        if (descriptor >= 0) {
            (void)platform::close_descriptor(descriptor);
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
                stream_on(target.kind == TargetKind::device ? platform::open_device(target.name)
                                                            : platform::duplicate_standard_output());
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
    if (const int refused = platform::refusal_to_replace(target_name)) {
        return failure_of(refused);
    }
    std::error_code no_folder;
    file.folder_ = fs::absolute(target.path, no_folder).parent_path();
    if (no_folder) {
        return Failure{Failure::Doing::opening, no_folder};
    }
    // A name taken meanwhile by another run is simply passed over.
    int descriptor = -1;
    for (int attempt = 0; attempt < 100 && descriptor < 0; ++attempt) {
        file.temporary_ = temporary_name_for(target.path);
        descriptor = platform::create_new(utf8_name(file.temporary_), target_name);
        if (descriptor < 0 && errno != EEXIST) {
            const int error = errno;
            file.temporary_.clear();
            return failure_of(error);
        }
    }
    file.name_ = utf8_name(file.temporary_);
    if (writer == Writer::library) {  // an empty file of ours, under a name the library fills
        if (platform::close_descriptor(descriptor) != 0) {
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
            return failure_of(flushed ? errno : error, Failure::Doing::committing);
        }
    }
    if (!temporary_.empty()) {
        std::error_code renamed;
        fs::rename(temporary_, target_, renamed);
        if (renamed) {
            return Failure{Failure::Doing::committing, renamed};
        }
        temporary_.clear();
    }
    return std::nullopt;
}

}  // namespace zelm
