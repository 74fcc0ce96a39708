#include "files/write_file.hpp"

#include "files/file_names.hpp"
#include "files/interruption.hpp"
#include "files/target.hpp"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <exception>
#include <random>
#include <system_error>

#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <unistd.h>
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

// A name in the target's folder that no other run picks: the target's name, 64 random
// bits and ".tmp". Being in the same folder, it is renamed without a copy.
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

#ifdef _WIN32
// The errno the C library gives for the Windows errors that creating a file meets.
int errno_of(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_WRITE_PROTECT:
            return EACCES;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_INVALID_NAME:
            return EINVAL;
        default:
            return EIO;
    }
}
#endif

// A new file for writing in binary mode. On Windows it may be removed while open, as a
// stop does with a temporary: the name goes at once, the file when it is closed.
std::FILE* create_binary(const fs::path& file) {
#ifdef _WIN32
    const HANDLE handle =
        CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        errno = errno_of(GetLastError());
        return nullptr;
    }
    const int descriptor = _open_osfhandle(reinterpret_cast<std::intptr_t>(handle), _O_WRONLY | _O_BINARY);
    if (descriptor < 0) {
        CloseHandle(handle);
        return nullptr;
    }
    std::FILE* stream = _fdopen(descriptor, "wb");
    if (stream == nullptr) {
        _close(descriptor);
    }
    return stream;
#else
    return std::fopen(file.c_str(), "wb");
#endif
}

// Writes through `write`, then flushes and, when asked, closes: the first error of all.
std::optional<Failure> write_stream(std::FILE* file, const WriteStream& write, bool close) {
    errno = 0;
    bool complete = write(file);
    int error = errno;
    if (complete && std::fflush(file) != 0) {
        complete = false;
        error = errno;
    }
    if (close && std::fclose(file) != 0 && complete) {
        complete = false;
        error = errno;
    }
    if (complete) {
        return std::nullopt;
    }
    return Failure{system_reason(error != 0 ? error : EIO)};
}

// The temporary, written: moved over the target when it is complete and the run goes on,
// removed otherwise. The reason of a failed move is the system's.
std::optional<Failure> keep_or_discard(const fs::path& temporary, const fs::path& target,
                                       std::optional<Failure> failure) {
    if (!failure && !stop_has_begun()) {
        std::error_code renamed;
        fs::rename(temporary, target, renamed);
        if (!renamed) {
            return std::nullopt;
        }
        failure = Failure{renamed.message()};
    }
    std::error_code ignored;
    fs::remove(temporary, ignored);
    if (stop_has_begun()) {
        wait_for_the_stop();
    }
    return failure;
}

// `named`, written through `write` as its target asks.
std::optional<Failure> write_to_target(const fs::path& named, const Target& target, const WriteUnder& write) {
    switch (target.kind) {
        case TargetKind::folder:
            return Failure{system_reason(EISDIR)};
        case TargetKind::unreachable:
            return Failure{system_reason(target.error)};
        case TargetKind::device:
        case TargetKind::standard_output:
            return write(named, false);
        case TargetKind::file:
            break;
    }
    if (stop_has_begun()) {  // no new temporary once a stop has begun
        wait_for_the_stop();
    }
    const fs::path temporary = temporary_path_for(target.path);
    const RemovedIfStopped removed(temporary);
    return keep_or_discard(temporary, target.path, write(temporary, true));
}

}  // namespace

std::optional<Failure> write_file_under(const fs::path& named, const WriteUnder& write) {
    return write_to_target(named, find_target(named), write);
}

std::optional<Failure> write_file(const Destination& destination, const WriteStream& write) {
    const Target target =
        destination.standard_output ? Target{TargetKind::standard_output, {}} : find_target(destination.file);
    if (target.kind != TargetKind::standard_output) {
        // A temporary beside the file it stands for, or the device.
        return write_to_target(
            destination.file, target, [&](const fs::path& file, bool temporary) -> std::optional<Failure> {
                std::FILE* stream =
                    temporary ? create_binary(file) : std::fopen(narrow_name(file).c_str(), "wb");
                if (stream == nullptr) {
                    return Failure{system_reason(errno != 0 ? errno : EIO)};
                }
                return write_stream(stream, write, true);
            });
    }
#ifdef _WIN32
    (void)_setmode(_fileno(stdout), _O_BINARY);  // CR LF as written, never CR CR LF
#endif
    return write_stream(stdout, write, false);
}

std::optional<Failure> check_folder(const fs::path& named) {
    const Target target = find_target(named);
    if (target.kind == TargetKind::unreachable) {
        return Failure{system_reason(target.error)};
    }
    if (target.kind != TargetKind::file) {
        return std::nullopt;
    }
    const fs::path probe = temporary_path_for(target.path);
    const RemovedIfStopped removed(probe);
#ifdef _WIN32
    // Removed by the system when closed.
    const int descriptor =
        _wopen(probe.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_TEMPORARY, _S_IREAD | _S_IWRITE);
#else
    const int descriptor = open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
#endif
    if (descriptor < 0) {
        return Failure{system_reason(errno)};
    }
    (void)close(descriptor);
    std::error_code ignored;
    fs::remove(probe, ignored);
    return std::nullopt;
}

}  // namespace zelm
