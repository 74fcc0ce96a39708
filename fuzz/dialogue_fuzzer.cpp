// libFuzzer harness: arbitrary bytes as the standard input of the dialogue, then the
// sweep and its rows written to memory. The row count is capped here, in the harness
// only, so that one input cannot run long. When the whole sweep fits the cap, the
// real program path (zelm::run, with its result file in a temporary folder) runs on
// the same bytes and must write exactly the bytes built in memory.
#include "chart/coordinates.hpp"
#include "dialogue/dialogue.hpp"
#include "dialogue/program.hpp"
#include "dialogue/result_format.hpp"
#include "dialogue/sweep.hpp"
#include "fuzz/row_layout.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr std::int32_t max_rows_in_memory = 2000;
constexpr std::int32_t max_rows_on_disk = 64;

// A new, empty folder for one run's result file.
fs::path make_scratch_folder() {
    std::string name = (fs::temp_directory_path() / "zelm-fuzz-XXXXXX").string();
    if (mkdtemp(name.data()) == nullptr) {
        std::perror("mkdtemp");
        std::abort();
    }
    return name;
}

std::string read_file(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void check(bool fact, const char* what) {
    if (!fact) {
        std::fprintf(stderr, "dialogue fuzzer: %s\n", what);
        std::abort();
    }
}

// The whole program on the same entries, its result file compared with `expected`.
void check_program_writes(const std::string& input, const std::string& expected) {
    const fs::path folder = make_scratch_folder();
    const fs::path target = folder / "ZELM_FS_result.xls";
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    check(zelm::run(in, out, err, target) == 0, "run failed on entries that read_inputs accepted");
    check(read_file(target) == expected, "the result file differs from the rows built in memory");
    const std::string message = err.str();
    check(message.empty() || (message.find("warning: chart 1 has no slope angle") != std::string::npos &&
                              message.find('\n') == message.size() - 1),
          "unexpected message on standard error");
    fs::remove(target);
    check(fs::is_empty(folder), "a file was left behind");
    fs::remove(folder);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::istringstream in(input);
    std::ostringstream prompts;
    const auto entered = zelm::read_inputs(in, prompts);
    if (!entered) {
        return 0;
    }

    std::string text = zelm::header_text(*entered);
    zelm::ChartInputs slope = *entered;
    slope.friction_angle = zelm::to_radians(entered->friction_angle);
    zelm::RowBuffer buffer;
    std::int32_t rows = 0;
    zelm::sweep(slope, [&](const zelm::SweepRow& row) {
        const std::string_view line = zelm::format_row(buffer, row);
        zelm::fuzz::check_row(line);
        text += line;
        return ++rows < max_rows_in_memory;
    });

    if (zelm::row_count(slope.height, slope.definition) <= max_rows_on_disk) {
        check_program_writes(input, text);
    }
    return 0;
}
