#include "dialogue/program.hpp"

#include "dialogue/dialogue.hpp"
#include "dialogue/result_file.hpp"

#include <array>
#include <charconv>
#include <istream>
#include <ostream>
#include <string>

namespace zelm {
namespace {

std::string two_decimals(float value) {
    std::array<char, 64> text{};
    const auto end =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, 2);
    return {text.data(), end.ptr};
}

}  // namespace

int run(std::istream& in, std::ostream& out, std::ostream& err, const std::filesystem::path& target) {
    print_banner(out);
    const auto entered = read_inputs(in, out);
    if (!out) {
        err << "zelm-fs: cannot write to standard output; no result file was written.\n";
        return 1;
    }
    if (!entered) {
        err << "zelm-fs: the input ended before all six values were read; no result file was written.\n";
        return 1;
    }
    const ResultFileReport report = write_result_file(target, *entered);
    if (report.failure) {
        err << "zelm-fs: cannot write " << target.string() << ": " << *report.failure
            << "; any earlier result file is unchanged.\n";
        return 1;
    }
    if (report.empty_angle_cells) {
        err << "zelm-fs: warning: chart 1 has no slope angle for x = tan(phi)/FS = " << two_decimals(report.x)
            << "; those angle cells are empty.\n";
    }
    return 0;
}

}  // namespace zelm
