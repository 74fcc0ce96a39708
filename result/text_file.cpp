#include "result/text_file.hpp"

#include "result/header.hpp"

#include <cstdio>

namespace zelm {

ResultFileBytes::ResultFileBytes(const ChartInputs& entered)
    : header_(header_text(entered)), rows_(entered) {}

std::string_view ResultFileBytes::next() {
    if (!header_given_) {
        header_given_ = true;
        return header_;
    }
    char* out = block_.data();
    char* const full = block_.data() + block_.size() - RowWriter::max_length;
    while (out <= full) {
        const SweepRow* row = rows_.next();
        if (row == nullptr) {
            break;
        }
        out = writer_.put(out, *row);
    }
    return {block_.data(), static_cast<std::size_t>(out - block_.data())};
}

TextFileReport write_result_file(const Destination& destination, const ChartInputs& entered) {
    TextFileReport report;
    ResultFileBytes bytes(entered);
    report.failure = write_file(destination, [&](std::FILE* file) {
        for (std::string_view block = bytes.next(); !block.empty(); block = bytes.next()) {
            if (std::fwrite(block.data(), 1, block.size(), file) != block.size()) {
                return false;  // errno says why
            }
        }
        return true;
    });
    report.sweep = bytes.summary();
    return report;
}

}  // namespace zelm
