// libFuzzer harness: arbitrary bytes typed at the console, then the sweep of the values
// read, each row formed as the result file holds it, and the warnings about the run.
// The sanitizers are the check, with the row's frame: it fits its buffer, and the bound
// the file's size was checked by before its first byte, and ends with a TAB and CR LF;
// and the last row's height is where the step's sums, leaping over binades, end.
#include "chart/float_bits.hpp"
#include "console/dialogue.hpp"
#include "messages/warnings.hpp"
#include "result/text_file.hpp"
#include "result/text_rows.hpp"
#include "sweep/step_sums.hpp"
#include "sweep/sweep.hpp"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::ostringstream prompts;
    const auto typed = zelm::read_inputs(in, prompts);
    const auto entered = typed ? std::optional(typed->values) : std::nullopt;
    if (entered) {
        int rows_left = 2000;  // one input may not run long
        const zelm::ResultFileSize bound = zelm::result_file_size(*entered);
        zelm::RowWriter rows;
        std::array<char, zelm::RowWriter::max_length> row{};
        const zelm::SweepSummary summary = zelm::sweep(*entered, [&](const zelm::SweepRow& r) {
            const std::string_view text(row.data(),
                                        static_cast<std::size_t>(rows.put(row.data(), r) - row.data()));
            if (text.size() > row.size() || text.size() > bound.row || !text.ends_with("\t\r\n")) {
                std::abort();
            }
            return --rows_left > 0;
        });
        const float last = zelm::sum_steps(entered->definition, summary.rows).last;
        const bool both_nan = std::isnan(last) && std::isnan(summary.last_height);
        if (zelm::bits_of(last) != zelm::bits_of(summary.last_height) && !both_nan) {
            std::abort();
        }
        for (const std::string& warning : zelm::warnings(*entered, summary)) {
            if (warning.empty() || warning.find('\n') != std::string::npos) {
                std::abort();
            }
        }
    }
    return 0;
}
