#include "result/text_file.hpp"

#include "result/header.hpp"
#include "result/text_rows.hpp"
#include "sweep/sweep.hpp"

#include <array>
#include <cstddef>
#include <cstdio>
#include <string_view>

namespace zelm {
namespace {

bool write_bytes(std::FILE* file, std::string_view bytes) {
    return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

// Rows are formed straight into a block that is written with one call when full: on
// a long sweep a write call per row would cost more than forming the row.
struct RowBlock {
    std::array<char, std::size_t{1} << 16U> bytes;
    std::size_t used = 0;

    bool has_room_for_a_row() const { return bytes.size() - used >= RowWriter::max_length; }
};

bool write_block(std::FILE* file, RowBlock& block) {
    const bool written = write_bytes(file, {block.bytes.data(), block.used});
    block.used = 0;
    return written;
}

// Header and rows into an open file. False, with errno set, at the first failed write.
bool write_contents(std::FILE* file, const ChartInputs& entered, SweepSummary& summary) {
    if (!write_bytes(file, header_text(entered))) {
        return false;
    }
    RowWriter rows;
    RowBlock block;
    bool written = true;
    summary = sweep(entered, [&](const SweepRow& row) {
        if (!block.has_room_for_a_row()) {
            written = write_block(file, block);
        }
        char* const start = block.bytes.data() + block.used;
        block.used += static_cast<std::size_t>(rows.put(start, row) - start);
        return written;
    });
    return written && write_block(file, block);
}

}  // namespace

TextFileReport write_result_file(const Destination& destination, const ChartInputs& entered) {
    TextFileReport report;
    report.failure =
        write_file(destination, [&](std::FILE* file) { return write_contents(file, entered, report.sweep); });
    return report;
}

}  // namespace zelm
