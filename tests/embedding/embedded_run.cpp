// The core in a shared object of its own, as a host such as Python loads it: one run of
// the traced values, its result file and its workbook written into a folder.
#include "files/output_file.hpp"
#include "files/target.hpp"
#include "result/text_file.hpp"
#include "result/workbook.hpp"

#include <filesystem>
#include <variant>

extern "C" __attribute__((visibility("default"))) int zelm_embedded_run(const char* folder) {
    using namespace zelm;
    const ChartInputs traced{30.0F, 2.0F, 2.5F, 20.0F, 1.0F, 1.5F};
    const std::filesystem::path into = folder;
    auto text = OutputFile::open(find_target(into / "ZELM_FS_result.xls"), Writer::stream);
    auto workbook = OutputFile::open(find_target(into / "ZELM_FS_result.xlsx"), Writer::library);
    if (!std::holds_alternative<OutputFile>(text) || !std::holds_alternative<OutputFile>(workbook)) {
        return 1;
    }
    const auto written = write_result_file(std::get<OutputFile>(text), traced, {});
    const DesignRun run(traced, written.sweep);
    SweptRows rows(traced);
    const auto failure = write_workbook(std::get<OutputFile>(workbook), run, rows, {}).failure;
    return written.failure || failure ? 1 : 0;
}
