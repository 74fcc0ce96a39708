// libFuzzer harness: arbitrary bytes typed at the console, then the sweep of the values
// read, each row formed as the result file holds it, and the warnings about the run.
// The sanitizers are the check, with the row's frame: it fits its buffer and ends with
// a TAB and CR LF.
#include "console/dialogue.hpp"
#include "result/text_rows.hpp"
#include "sweep/sweep.hpp"
#include "messages/warnings.hpp"

#include <array>
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
        zelm::RowWriter rows;
        std::array<char, zelm::RowWriter::max_length> row{};
        const zelm::SweepSummary summary = zelm::sweep(*entered, [&](const zelm::SweepRow& r) {
            const std::string_view text(row.data(),
                                        static_cast<std::size_t>(rows.put(row.data(), r) - row.data()));
            if (text.size() > row.size() || !text.ends_with("\t\r\n")) {
                std::abort();
            }
            return --rows_left > 0;
        });
        for (const std::string& warning : zelm::warnings(*entered, summary)) {
            if (warning.empty() || warning.find('\n') != std::string::npos) {
                std::abort();
            }
        }
    }
    return 0;
}
