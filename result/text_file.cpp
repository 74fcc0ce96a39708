#include "result/text_file.hpp"

#include "messages/header.hpp"

#include <cerrno>
#include <cstdio>

namespace zelm {

ResultFileBytes::ResultFileBytes(const ChartInputs& entered)
    : header_(header_text(entered)), rows_(entered), block_(std::size_t{1} << 16U) {}

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

TextFileReport write_result_file(OutputFile& file, const ChartInputs& entered, const ShouldStop& stop) {
    TextFileReport report;
    ResultFileBytes bytes(entered);
    for (std::string_view block = bytes.next(); !block.empty(); block = bytes.next()) {
        if (asked_to_stop(stop)) {
            report.failure = Failure::stop();
            break;
        }
        errno = 0;
        if (std::fwrite(block.data(), 1, block.size(), file.stream()) != block.size()) {
            report.failure = Failure::system_or(errno, EIO);
            break;
        }
    }
    if (!report.failure) {
        report.failure = file.commit();
    }
    report.sweep = bytes.summary();
    return report;
}

}  // namespace zelm
