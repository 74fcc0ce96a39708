#include "console/command_line.hpp"

#include "chart/design_chart.hpp"
#include "files/file_names.hpp"
#include "messages/checks.hpp"
#include "messages/diagnostic.hpp"
#include "messages/entries.hpp"
#include "messages/files.hpp"
#include "numbers/reading.hpp"
#include "numbers/writing.hpp"

#include <CLI/CLI.hpp>

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <system_error>

namespace zelm {
namespace {

struct Value {
    const char* name;
    const char* description;
    float ChartInputs::*field;
};

// In the order of the console dialogue.
constexpr std::array<Value, 6> values{{
    {"PHI", "friction angle, degrees", &ChartInputs::friction_angle},
    {"C", "cohesion C', Tn/m2", &ChartInputs::cohesion},
    {"D", "density d, Tn/m3", &ChartInputs::density},
    {"H", "height of the talus, m", &ChartInputs::height},
    {"STEP", "height step (the definition), m", &ChartInputs::definition},
    {"FS", "factor of safety to reach", &ChartInputs::security_factor},
}};

constexpr std::array<std::string_view, 5> long_options{"--output", "--workbook", "--check", "--help",
                                                       "--version"};

constexpr const char* description =
    "Slope angles of a talus from design chart 1 (\"ABAC 1\"): for every height H from\n"
    "one STEP up to the talus height, the slope angle at which the slope reaches the\n"
    "factor of safety FS. With no values, asks for them at the console; with all six,\n"
    "asks nothing and prints nothing on standard output.\n";

// The lines after the options; the x that chart 1 covers come from the chart itself.
std::string footer() {
    const auto [first, last] = fitted_x_range(design_chart());
    return "The result file is tab-separated text (Windows-1252, CR LF, decimal commas):\n"
           "the values entered, then for every height H, x = tan(phi)/FS and\n"
           "y = C'/(d*H*tan(phi)) on the chart's two-decimal grid, and the slope angle in\n"
           "whole degrees; 90 means the slope stands vertical at that height. Chart 1 gives\n"
           "angles for x from " +
           fixed(first, 2) + " to " + fixed(last, 2) +
           "; beyond, a cell is empty (or 90 where the\n"
           "chart holds only the vertical slope) and a warning gives the factors of safety\n"
           "the chart answers for the friction angle. With no cohesion, a warning gives the\n"
           "exact angle where the chart reads steeper. Any consistent units give the same\n"
           "angles (C' in kPa with d in kN/m3), since y is a ratio. For a workbook use -w;\n"
           "-o names the text file, never an .xlsx.\n"
           "\n"
           "The file rounds the chart's angle to a whole degree (84.75 prints 85), so it\n"
           "can be steeper than the chart's, and where chart 1's rows cross, its check can\n"
           "answer less than FS. The confirmed angle, in the workbook beside the angle, is\n"
           "the steepest whole degree whose --check reaches FS; a warning names the heights\n"
           "whose printed angle checks more than 3% below FS.\n"
           "\n"
           "--check: the factor of safety chart 1 gives a slope that stands, H high at ANGLE\n"
           "degrees. The chart tells FS no finer than its rows (x = tan(phi)/FS to 0.01):\n"
           "the answer is the range of FS that reads one row, any FS in it reading the same\n"
           "angle; going up in FS, the last row whose angle the slope does not exceed (the\n"
           "safe side where the chart is not monotone). zelm-fs --check 30 2 2.5 20 35 says\n"
           "H 20 m at 35 degrees: FS 1.33 to 1.35 (chart 1, x = 0.43)\n"
           "The line adds where the FS is below 1, where chart 1's rows cross (the FS up to\n"
           "which a design run prints the angle), and with no cohesion gives the exact FS\n"
           "of a dry slope first where it is below the chart's.\n"
           "\n"
           "Exit status: 0 written or checked (warnings, if any, on standard error); 1 a\n"
           "file could not be written or the input ended early (an earlier file is kept);\n"
           "2 the command line is wrong, or with --check a value describes no slope.\n"
           "Example: zelm-fs -o slope.xls 30 2 2.5 20 1 1.5";
}

// Where the notices of the code of others are: where this build's package installs
// them (ZELM_NOTICES), or, for the program run in the folder it was built in, the
// build's own copy (ZELM_BUILT_NOTICES), which the installed place is not yet.
std::string notices_named() {
#if defined(__linux__) && defined(ZELM_BUILT_NOTICES) && defined(ZELM_BUILD_FOLDER)
    std::error_code unknown;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", unknown);
    if (!unknown && program.parent_path() == std::filesystem::path(ZELM_BUILD_FOLDER) &&
        std::filesystem::exists(ZELM_BUILT_NOTICES, unknown)) {
        return ZELM_BUILT_NOTICES " (this build's; installed, " ZELM_NOTICES ")";
    }
#endif
    return ZELM_NOTICES;
}

// The usage line shows the six values as one group: all of them, or none.
class Formatter : public CLI::Formatter {
  public:
    std::string make_usage(const CLI::App*, std::string) const override {
        return "Usage: zelm-fs [OPTIONS] [PHI C D H STEP FS]\n"
               "       zelm-fs --check PHI C D H ANGLE [H2 ANGLE2 ...]\n";
    }
};

// An argument left over once the options and six values are taken: an option the
// program does not know, or a value too many.
std::string unknown_option(const std::string& word) {
    if (read_entry(word).value) {  // such as -.5, which reads as an option
        return word + ": write a negative value below 1 as -0" + word.substr(1) +
               ", or put -- before the values";
    }
    const std::string name = word.substr(0, word.find('='));
    std::string meant;
    for (const std::string_view option : long_options) {
        if (name.size() > 2 && option.starts_with(name)) {
            meant = meant.empty() ? std::string(option) : "";
        }
    }
    return "unknown option " + name + (meant.empty() ? "" : "; did you mean " + meant + "?");
}

// A flag written with a value (--workbook=no, -w=1), which the parser would take as
// the flag's setting: the program's flags take none. Words after -- are values.
std::optional<std::string> flag_with_a_value(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view word = argv[i];
        if (word == "--") {
            break;
        }
        for (const std::string_view flag : {"-w", "--workbook", "--check", "-h", "--help", "--version"}) {
            if (word.starts_with(flag) && word.size() > flag.size() && word[flag.size()] == '=') {
                return std::string(flag);
            }
        }
    }
    return std::nullopt;
}

// The name of the i-th value after --check: PHI, C, D, then H and ANGLE for the first
// slope, H2 and ANGLE2 for the second, and so on.
std::string check_value_name(std::size_t i) {
    if (i < 3) {
        return values[i].name;
    }
    const std::size_t slope = (i - 3) / 2 + 1;
    return std::string((i - 3) % 2 == 0 ? "H" : "ANGLE") + (slope > 1 ? std::to_string(slope) : "");
}

// The values after --check, read as the console reads them.
std::variant<SlopeChecks, ExitStatus> slope_checks(const std::vector<std::string>& words, std::ostream& err) {
    if (words.size() < 5 || (words.size() - 3) % 2 != 0) {
        return usage_error(err, "--check: " + std::to_string(words.size()) +
                                    " values given; give PHI C D, then H ANGLE for each slope");
    }
    std::vector<float> read(words.size());
    for (std::size_t i = 0; i < words.size(); ++i) {
        const Entry entry = read_entry(words[i]);
        if (!entry.value) {
            return usage_error(err, check_value_name(i) + ": '" + words[i] + "' " +
                                        std::string(refusal_reason(entry.refusal)));
        }
        read[i] = *entry.value;
    }
    // Values that describe no slope chart 1 can be read for are refused as the command
    // line's own fault, before any answer: a script never gets a line that means nothing.
    SlopeChecks checks;
    for (std::size_t i = 3; i < read.size(); i += 2) {
        const SlopeToCheck& slope =
            checks.slopes.emplace_back(SlopeToCheck{read[0], read[1], read[2], read[i], read[i + 1]});
        const CheckAnswer answer = check_slope(slope);
        if (answer.verdict == Verdict::no_answer) {
            std::string why = check_line(slope, answer);
            why.pop_back();  // its full stop: the pointer to --help follows
            // The slope's two values follow the material's three.
            const std::size_t position = typed_position(answer.why);
            return usage_error(err,
                               check_value_name(position < 3 ? position : i + position - 3) + ": " + why);
        }
    }
    return checks;
}

}  // namespace

// One line, whatever the arguments it quotes hold: a line break or other control
// character in them is shown as '?'.
ExitStatus usage_error(std::ostream& err, std::string what) {
    for (char& c : what) {
        c = static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '?' : c;
    }
    say(err, what + " (see zelm-fs --help)");
    return ExitStatus::usage;
}

std::variant<Request, SlopeChecks, ExitStatus> read_command_line(int argc, const char* const* argv,
                                                                 std::ostream& out, std::ostream& err) {
    CLI::App app(description, "zelm-fs");
    app.formatter(std::make_shared<Formatter>());
    app.get_formatter()->column_width(21);
    app.get_formatter()->label("Positionals", "Values (numbers written with a decimal point: 2.5, -20, 1e3)");
    app.footer(footer());
    app.allow_extras();  // unknown options and values too many are told below, in the program's words
    app.set_help_flag("-h,--help", "show this help and exit");
    app.set_version_flag("--version", "zelm-fs " ZELM_VERSION, "show the version and exit");
    std::array<std::string, values.size()> texts;
    for (std::size_t i = 0; i < values.size(); ++i) {
        app.add_option(values[i].name, texts[i], values[i].description)->type_name("");
    }
    std::string output = default_result_file;
    app.add_option(
           "-o,--output", output,
           "result file, or - for standard output\n(default: ZELM_FS_result.xls in the current folder)")
        ->type_name("FILE")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    bool workbook = false;
    app.add_flag(
        "-w,--workbook", workbook,
        "also write a workbook, FILE with .xlsx in place of its\nextension: the table as numbers and its "
        "chart");
    bool check = false;
    app.add_flag("--check", check,
                 "check slopes that stand: the factor of safety chart 1\ngives a slope H high at ANGLE "
                 "degrees, one line each");

    if (const auto flag = flag_with_a_value(argc, argv)) {
        return usage_error(err, *flag + " takes no value: write it alone");
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        out << app.help() << std::flush;
        return out ? ExitStatus::written : ExitStatus::not_written;
    } catch (const CLI::CallForVersion&) {
        out << "zelm-fs " ZELM_VERSION
               "\nCopyright the zelm-fs authors. No licence has been granted yet."
               "\nIt holds code of others, each part listed with its copyright and licence in"
               "\n"
            << notices_named() << "\n"
            << std::flush;
        return out ? ExitStatus::written : ExitStatus::not_written;
    } catch (const CLI::ArgumentMismatch&) {
        return usage_error(err, "--output needs a file name: -o FILE");
    } catch (const CLI::ParseError&) {
        return usage_error(err, "the command line cannot be read");
    }

    // The values in the order given: the six named ones as far as they go, then the rest.
    std::vector<std::string> words;
    for (std::size_t i = 0; i < values.size() && app.count(values[i].name) > 0; ++i) {
        words.push_back(texts[i]);
    }
    bool after_options = false;  // after --, a word beginning with - is a value too many
    for (const std::string& extra : app.remaining()) {
        if (extra == "--" && !after_options) {  // kept among the extras, though it only ends the options
            after_options = true;
            continue;
        }
        if (!after_options && extra.size() > 1 && extra[0] == '-') {
            return usage_error(err, unknown_option(extra));
        }
        words.push_back(extra);
    }
    for (const char* option : {"--output", "--workbook", "--check"}) {
        if (app.count(option) > 1) {
            return usage_error(err, std::string(option) + " is given twice: give it once");
        }
    }
    if (check) {
        for (const char* option : {"--output", "--workbook"}) {
            if (app.count(option) > 0) {
                return usage_error(err, std::string(option) +
                                            " cannot go with --check, which writes no file: its answers go "
                                            "to standard output");
            }
        }
        auto checks = slope_checks(words, err);
        if (auto* refused = std::get_if<ExitStatus>(&checks)) {
            return *refused;
        }
        return std::get<SlopeChecks>(std::move(checks));
    }
    const std::size_t given = words.size();
    if (given != 0 && given != values.size()) {
        return usage_error(err, std::string(given < values.size() ? "too few" : "too many") +
                                    " values: " + std::to_string(given) +
                                    " given; give the six values PHI C D H STEP FS, or none to be asked");
    }
    Request request;
    if (given == values.size()) {
        ChartInputs entered{};
        for (std::size_t i = 0; i < values.size(); ++i) {
            const Entry entry = read_entry(texts[i]);
            if (!entry.value) {
                return usage_error(err, std::string(values[i].name) + ": '" + texts[i] + "' " +
                                            std::string(refusal_reason(entry.refusal)));
            }
            entered.*values[i].field = *entry.value;
        }
        request.values = entered;
    }

    if (output.empty()) {
        return usage_error(err, "--output: the file name is empty");
    }
    const std::filesystem::path file = path_of(output);
    // -, or a name for the program's own standard output (/dev/stdout sent to a file).
    request.output = output == "-" ? standard_output_target() : find_target(file);
    const bool to_standard_output = request.output.kind == TargetKind::standard_output;
    // A folder typed as the result file; the default name found to be a folder is a
    // file that cannot be written, told before the dialogue.
    const auto name = file.filename();
    if (app.count("--output") > 0 && !to_standard_output &&
        (name.empty() || name == "." || name == ".." || request.output.kind == TargetKind::folder)) {
        return usage_error(err, "--output: '" + output + "' names a folder, not a file");
    }
    // Text under a workbook's name is what a spreadsheet refuses to open; with -w, the
    // workbook would take the result file's own name.
    if (!to_standard_output && has_xlsx_extension(file)) {
        const std::string text_name = output.substr(0, output.size() - 5) + ".xls";
        return usage_error(err, "--output: " + text_under_a_workbook_name(output) + ": -w -o " + text_name +
                                    " writes " + text_name + " and the workbook beside it");
    }
    if (workbook) {
        if (to_standard_output) {
            return usage_error(err, "--workbook cannot go with --output " + output +
                                        ": standard output takes the result file only");
        }
        request.workbook = find_target(std::filesystem::path(file).replace_extension(".xlsx"));
    }
    return request;
}

}  // namespace zelm
