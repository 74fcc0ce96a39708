#include "dialogue/command_line.hpp"

#include "dialogue/dialogue.hpp"
#include "result/replace_file.hpp"
#include "result/text_file.hpp"

#include <CLI/CLI.hpp>

#include <array>
#include <cstddef>
#include <ostream>
#include <string>

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

constexpr const char* description =
    "Slope angles of a talus from design chart 1 (\"ABAC 1\"): for every height from one STEP up to H,\n"
    "the angle at which the slope reaches the factor of safety FS. Written to a result file of\n"
    "tab-separated text (Windows-1252, CR LF, decimal commas): a header of the entered values, then\n"
    "one row per height: H, x = tan(phi)/FS, y = C'/(d*H*tan(phi)) and the angle in whole degrees.\n"
    "With no values, asks for them at the console; with all six, prints nothing on standard output.\n";

constexpr const char* footer =
    "Values are numbers written with a decimal point (2.5, -20, 1e3), in the order above.\n"
    "Exit status: 0 the files were written (also when chart 1 has no angle for the run's x: a warning\n"
    "says so); 1 a file could not be written, or the input ended early (an earlier file is kept);\n"
    "2 the command line is wrong.\n"
    "Example: zelm-fs -o slope.xls 30 2 2.5 20 1 1.5";

std::string number_check(const std::string& text) {
    return parse_entry(text)
               ? std::string()
               : "'" + text +
                     "' is not a number written with a decimal point (such as 2.5) within the float range";
}

bool has_xlsx_extension(const std::filesystem::path& file) {
    std::string extension = file.extension().string();
    for (char& c : extension) {
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return extension == ".xlsx";
}

// One line, whatever the arguments it quotes hold: a line break or other control
// character in them is shown as '?'.
int usage_error(std::ostream& err, std::string what) {
    for (char& c : what) {
        c = static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '?' : c;
    }
    err << "zelm-fs: " << what << " (see zelm-fs --help)\n";
    return exit_usage;
}

}  // namespace

std::variant<Request, int> read_command_line(int argc, const char* const* argv, std::ostream& out,
                                             std::ostream& err) {
    CLI::App app(description, "zelm-fs");
    app.footer(footer);
    app.get_formatter()->column_width(24);
    std::array<std::string, values.size()> texts;
    for (std::size_t i = 0; i < values.size(); ++i) {
        app.add_option(values[i].name, texts[i], values[i].description)
            ->type_name("NUMBER")
            ->check(CLI::Validator(number_check, ""));
    }
    std::string output = result_file_name;
    app.add_option("-o,--output", output, "result file (default ZELM_FS_result.xls in the current folder)")
        ->type_name("FILE")
        ->check(CLI::Validator(
            [](const std::string& file) { return file.empty() ? "the file name is empty" : ""; }, ""));
    bool workbook = false;
    app.add_flag("-w,--workbook", workbook,
                 "also write a workbook, FILE's name ending in .xlsx: the table as numbers and its chart");
    app.set_version_flag("--version", "zelm-fs " ZELM_VERSION, "show the version and exit");

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        out << app.help() << std::flush;
        return out ? exit_written : exit_not_written;
    } catch (const CLI::CallForVersion&) {
        out << "zelm-fs " ZELM_VERSION "\n" << std::flush;
        return out ? exit_written : exit_not_written;
    } catch (const CLI::ExtrasError& e) {
        // A value such as -.5 reads as an unknown option: say how to write it.
        for (const std::string& extra : app.remaining()) {
            if (extra.size() > 1 && extra[0] == '-' && parse_entry(extra)) {
                return usage_error(err, extra + ": write a negative value below 1 as -0" + extra.substr(1) +
                                            ", or put -- before the values");
            }
        }
        return usage_error(err, e.what());
    } catch (const CLI::ParseError& e) {
        return usage_error(err, e.what());
    }

    Request request;
    request.output = path_of_argument(output);
    if (const auto name = request.output.filename(); name.empty() || name == "." || name == "..") {
        return usage_error(err, "--output: '" + output + "' names a folder, not a file");
    }
    std::size_t given = 0;
    ChartInputs entered{};
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (app.count(values[i].name) > 0) {
            entered.*values[i].field = *parse_entry(texts[i]);
            ++given;
        }
    }
    if (given == values.size()) {
        request.values = entered;
    } else if (given > 0) {
        return usage_error(err, std::to_string(given) +
                                    " values given: give all six (PHI C D H STEP FS), or none to be asked");
    }
    if (workbook) {
        if (has_xlsx_extension(request.output)) {
            return usage_error(err,
                               "--output: with --workbook the result file cannot end in .xlsx, the "
                               "workbook's own name");
        }
        request.workbook = std::filesystem::path(request.output).replace_extension(".xlsx");
    }
    return request;
}

}  // namespace zelm
