#include "result/text_file.hpp"

#include "messages/header.hpp"
#include "result/row_text_pipeline.hpp"
#include "result/write_bytes.hpp"

#include <cstdio>
#include <utility>

namespace zelm {

ResultFileBytes::ResultFileBytes(const ChartInputs& entered)
    : header_(header_text(entered)), rows_(entered), writer_(entered.angles), block_(std::size_t{1} << 16U) {}

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

namespace {

// The blocks `bytes` has left written to the file, `stop` asked before each.
std::optional<Failure> write_blocks(std::FILE* file, ResultFileBytes& bytes, const ShouldStop& stop) {
    for (std::string_view block = bytes.next(); !block.empty(); block = bytes.next()) {
        if (asked_to_stop(stop)) {
            return Failure::stop();
        }
        if (auto failure = write_bytes(file, block)) {
            return failure;
        }
    }
    return std::nullopt;
}

}  // namespace

TextFileReport write_result_file(OutputFile& file, const ChartInputs& entered, const ShouldStop& stop) {
    ResultFileBytes bytes(entered);
    if (row_count(entered.height, entered.definition) >= rows_worth_threads) {
        if (auto failure = write_bytes(file.stream(), bytes.next())) {  // the header
            return {std::move(failure), bytes.summary()};
        }
        const PipelineReport rows = write_rows_on_every_core(file.stream(), entered, stop);
        if (rows.ran) {
            return {rows.failure ? rows.failure : file.commit(), rows.sweep};
        }
        // No thread to be had: the rows follow the header from this thread.
    }
    TextFileReport report;
    report.failure = write_blocks(file.stream(), bytes, stop);
    if (!report.failure) {
        report.failure = file.commit();
    }
    report.sweep = bytes.summary();
    return report;
}

}  // namespace zelm
