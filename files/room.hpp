// Whether a file fits where it goes, told before a byte of it is written: a writer that
// found out part way would leave the user a run cut short, or a library (libxlsxwriter)
// that does not check its writes a file cut short without a word.
#pragma once

#include "entries/diagnostic.hpp"

#include <cstdint>
#include <filesystem>
#include <optional>

namespace zelm {

// What a file would not fit, and how much room that leaves it.
struct NoRoom {
    enum class Limit : std::uint8_t {
        file_size,   // the process's file-size limit
        free_space,  // the space free in the folder
    };
    Limit limit;
    std::uintmax_t room;  // the limit, or the space free, in bytes
};

// Nothing when a file of up to `largest` bytes is within the file-size limit, and `total`
// bytes (the file and what is written beside it meanwhile: a temporary, while the earlier
// file still stands) fit in the space free in `folder`. Space that cannot be found out is
// taken to be there.
std::optional<NoRoom> room_for_files(std::uintmax_t largest, std::uintmax_t total,
                                     const std::filesystem::path& folder);

// A number of bytes as what is said of room shows it: whole kilobytes, rounded up.
inline Count kilobytes(std::uintmax_t bytes) { return {static_cast<std::int64_t>((bytes + 1023) / 1024)}; }

}  // namespace zelm
