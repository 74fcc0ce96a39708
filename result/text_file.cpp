#include "result/text_file.hpp"

#include "result/replace_file.hpp"
#include "result/text_format.hpp"
#include "sweep/sweep.hpp"

#include <array>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <system_error>

namespace zelm {
namespace {

namespace fs = std::filesystem;

struct CloseFile {
    // Only on a path that already failed: the result of closing no longer matters.
    void operator()(std::FILE* file) const { (void)std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, CloseFile>;

bool write_bytes(std::FILE* file, std::string_view bytes) {
    return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

// Rows are formed straight into a block that is written with one call when full: on
// a long sweep a write call per row would cost more than forming the row.
struct RowBlock {
    std::array<char, std::size_t{1} << 16U> bytes;
    std::size_t used = 0;

    bool has_room_for_a_row() const { return bytes.size() - used >= max_row_length; }
};

bool write_block(std::FILE* file, RowBlock& block) {
    const bool written = write_bytes(file, {block.bytes.data(), block.used});
    block.used = 0;
    return written;
}

// Header and rows into an open file. False, with errno set, at the first failed write.
bool write_contents(std::FILE* file, const ChartInputs& entered, ResultFileReport& report) {
    if (!write_bytes(file, header_text(entered))) {
        return false;
    }
    ChartInputs slope = entered;
    slope.friction_angle = to_radians(entered.friction_angle);
    RowCells cells;
    RowBlock block;
    bool written = true;
    sweep(slope, [&](const SweepRow& row) {
        report.x = row.x;
        report.empty_angle_cells = report.empty_angle_cells || has_empty_angle(row);
        if (!block.has_room_for_a_row()) {
            written = write_block(file, block);
        }
        char* const start = block.bytes.data() + block.used;
        block.used += static_cast<std::size_t>(put_row(start, row, cells) - start);
        return written;
    });
    return written && write_block(file, block);
}

}  // namespace

ResultFileReport write_result_file(const fs::path& target, const ChartInputs& entered) {
    ResultFileReport report;
    const fs::path temporary = temporary_path_for(target);
    // Binary mode: the rows carry their own CR LF, which text mode on Windows would
    // turn into CR CR LF.
    File file(std::fopen(narrow_name(temporary).c_str(), "wb"));
    if (!file) {
        report.failure = reason(errno);
        return report;
    }
    errno = 0;
    bool complete = write_contents(file.get(), entered, report);
    int error = errno;
    if (complete && std::fflush(file.get()) != 0) {
        complete = false;
        error = errno;
    }
    if (std::fclose(file.release()) != 0 && complete) {
        complete = false;
        error = errno;
    }
    if (!complete) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        report.failure = reason(error != 0 ? error : EIO);
        return report;
    }
    report.failure = move_into_place(temporary, target);
    return report;
}

}  // namespace zelm
