// One write of a result file's bytes to its stream, as every writer of the text makes it.
#pragma once

#include "files/failure.hpp"

#include <cerrno>
#include <cstdio>
#include <optional>
#include <string_view>

namespace zelm {

// Writes `bytes` to `file`: nothing when all were written, else why not (the system's
// words, or those of EIO where the failed write left no errno).
inline std::optional<Failure> write_bytes(std::FILE* file, std::string_view bytes) {
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
        return Failure::system_or(errno, EIO, Failure::Doing::writing);
    }
    return std::nullopt;
}

}  // namespace zelm
