// Runs the facts of data/facts.txt, and reads chart 1 a second time: the table compiled
// into the program against the chart as printed, transcribed on its own in
// data/chart1.txt. Global operator new is replaced to count what the sweep allocates.
// The wrong command lines of usage/errors.txt are facts too, each read in-process as the
// program reads its own: the one usage error each gets, told in words.
#include "chart/coordinates.hpp"
#include "chart/design_chart.hpp"
#include "chart/float_bits.hpp"
#include "console/dialogue.hpp"
#include "console/progress_line.hpp"
#include "console/request.hpp"
#include "console/stops.hpp"
#include "messages/render.hpp"
#include "messages/templates.hpp"
#include "messages/warnings.hpp"
#include "result/text_file.hpp"
#include "result/text_rows.hpp"
#include "sweep/bishop_answer.hpp"
#include "sweep/check.hpp"
#include "sweep/check_answer.hpp"
#include "sweep/design_run.hpp"
#include "sweep/findings.hpp"
#include "sweep/slope_angle.hpp"
#include "sweep/sweep.hpp"

#include <fast_float/fast_float.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <new>
#include <optional>
#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

namespace {
std::atomic<long> allocations{0};
}  // namespace

void* operator new(std::size_t size) {
    allocations.fetch_add(1);
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }

namespace zelm {
namespace {

float f(const std::string& text) { return std::stof(text); }
std::int32_t i(const std::string& text) { return std::stoi(text); }
bool same(float a, float b) { return a == b || (std::isnan(a) && std::isnan(b)); }
std::uint64_t bits_of_double(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// The sweep's last height; each row must carry the angle of its own x and y, and the
// sweep and the forming of its rows must allocate nothing.
float last_height(float phi, float height, float step) {
    SweepRow last{};
    RowWriter rows;
    std::array<char, RowWriter::max_length> buffer{};
    const long before = allocations.load();
    sweep({phi, 2.0F, 2.5F, height, step, 1.5F}, [&](const SweepRow& row) {
        EXPECT_EQ(row.angle, pente(design_chart(), row.x, row.y)) << "at height " << row.height;
        rows.put(buffer.data(), row);
        last = row;
        return true;
    });
    EXPECT_EQ(allocations.load() - before, 0) << "allocations in the sweep";
    return last.height;
}

std::string cell(float value) {
    std::array<char, max_decimal_comma_length> text{};
    const char* const end = put_decimal_comma(text.data(), value);
    return std::string(static_cast<const char*>(text.data()), end);
}

// A whole row, TAB, CR and LF written \t, \r and \n; the longest one a float can give
// must fit the room a row is given.
std::string row(const SweepRow& swept) {
    std::array<char, RowWriter::max_length + 1> buffer{};
    const char* end = RowWriter().put(buffer.data(), swept);
    EXPECT_LE(end - buffer.data(), static_cast<std::ptrdiff_t>(RowWriter::max_length));
    std::string written;
    for (const char* c = buffer.data(); c != end; ++c) {
        written += *c == '\t' ? "\\t" : *c == '\r' ? "\\r" : *c == '\n' ? "\\n" : std::string(1, *c);
    }
    return written;
}

// The first row a sweep writes for the values as entered.
std::string first_row(const ChartInputs& entered) {
    Sweep rows(entered);
    const SweepRow* first = rows.next();
    return first != nullptr ? row(*first) : "none";
}

// The warning about the talus height for a run of `rows` rows whose last height is
// `last`: the last of the warnings, or "none" when it is not about the talus height.
std::string talus_warning(float height, float step, float last, std::int32_t rows) {
    SweepSummary run;
    run.rows = rows;
    run.last_height = last;
    run.x = 0.38F;
    const auto lines = warnings({30.0F, 2.0F, 2.5F, height, step, 1.5F}, run);
    return !lines.empty() && lines.back().starts_with("the last row") ? lines.back() : "none";
}

// A fact's result: a float, or a text written as the facts write it (a whole number,
// none, a cell between quotes).
using Result = std::variant<float, std::string>;
using Args = std::vector<std::string>;

// The dialogue's answer to the first entry it refuses, the words given on one line.
std::string dialogue_refusal(const Args& words) {
    std::string line;
    for (const std::string& word : words) {
        line.append(line.empty() ? "" : " ").append(word);
    }
    std::istringstream in(line + "\n");
    std::ostringstream out;
    (void)read_inputs(in, out);
    const std::string said = out.str();
    const auto refused = said.find("The entry");
    return refused == std::string::npos ? "none" : said.substr(refused, said.find('\n', refused) - refused);
}

// The slope of a check's fact: PHI C D H ANGLE.
SlopeToCheck slope(const Args& a) { return {f(a[0]), f(a[1]), f(a[2]), f(a[3]), f(a[4])}; }

// clang-format off
const std::map<std::string, std::function<Result(const Args&)>> functions{
    {"arrondir", [](const Args& a) -> Result { return arrondir(f(a[0]), i(a[1])); }},
    {"tronquer", [](const Args& a) -> Result { return tronquer(f(a[0]), i(a[1])); }},
    {"decimale", [](const Args& a) -> Result { return decimale(f(a[0])); }},
    {"radians",  [](const Args& a) -> Result { return to_radians(f(a[0])); }},
    {"A",        [](const Args& a) -> Result { return A(f(a[0]), f(a[1])); }},
    {"B",        [](const Args& a) -> Result { return B(f(a[0]), f(a[1]), f(a[2]), f(a[3])); }},
    {"B_tangent",[](const Args& a) -> Result { return B_tangent(f(a[0]), f(a[1]), f(a[2]), std::tan(double{f(a[3])})); }},
    {"validite", [](const Args& a) -> Result { return std::to_string(validite(design_chart(), f(a[0]), f(a[1]))); }},
    {"pente",    [](const Args& a) -> Result { const auto p = pente(design_chart(), f(a[0]), f(a[1])); return p ? Result(*p) : "none"; }},
    {"C4",       [](const Args& a) -> Result { return C4(design_chart(), f(a[0])); }},
    {"pow",      [](const Args& a) -> Result { return std::pow(10.0, std::stod(a[0])) == std::stod("1e" + a[0]) ? "exact" : "inexact"; }},
    {"C0",       [](const Args& a) -> Result { return C0(design_chart(), f(a[0])); }},
    {"fs_lowest", [](const Args& a) -> Result {
                     const auto fs = factors_of_safety_on_row(to_radians(f(a[0])), i(a[1])); return fs ? Result(fs->lowest) : "none"; }},
    {"fs_highest", [](const Args& a) -> Result {
                     const auto fs = factors_of_safety_on_row(to_radians(f(a[0])), i(a[1])); return fs ? Result(fs->highest) : "none"; }},
    {"rows",     [](const Args& a) -> Result { return std::to_string(row_count(f(a[0]), f(a[1]))); }},
    {"sweep",    [](const Args& a) -> Result { return last_height(f(a[0]), f(a[1]), f(a[2])); }},
    {"first_row",[](const Args& a) -> Result {
                     return '"' + first_row({f(a[0]), f(a[1]), f(a[2]), f(a[3]), f(a[4]), f(a[5])}) + '"'; }},
    {"cell",     [](const Args& a) -> Result { return '"' + cell(f(a[0])) + '"'; }},
    {"talus",    [](const Args& a) -> Result { return '"' + talus_warning(f(a[0]), f(a[1]), f(a[2]), i(a[3])) + '"'; }},
    {"check",    [](const Args& a) -> Result { return '"' + render(check_line(slope(a), check_slope(slope(a)))) + '"'; }},
    {"confirmed",[](const Args& a) -> Result {
                     return confirmed_angle(design_chart().grid(), chart_column(f(a[0]), f(a[4])), f(a[1]), f(a[2]), f(a[3])); }},
    {"bishop_on_circle", [](const Args& a) -> Result {
                     const auto d = [&](std::size_t k) { return std::stod(a.at(k)); };
                     const SlopeToCheck typed{f(a[2]), f(a[3]), f(a[4]), f(a[0]), f(a[1])};
                     return '"' + render(bishop_line(typed, bishop_on_circle({d(0), d(1), d(2), d(3), d(4)}, {d(5), d(6), d(7), d(8), d(9)}, i(a[10])))) + '"'; }},
    {"row",      [](const Args& a) -> Result {
                     return '"' + row({f(a[0]), f(a[1]), f(a[2]), a[3] == "none" ? std::nullopt : std::optional(f(a[3])), std::nullopt}) + '"'; }},
    {"progress", [](const Args& a) -> Result {
                     return '"' + progress_line(a[0] == "workbook" ? Writing::workbook : Writing::result_file, i(a[1]), i(a[2]), std::stod(a[3])) + '"'; }},
    {"stopped",  [](const Args& a) -> Result {
                     const std::map<std::string, Stop> stops{{"sigint", Stop::sigint}, {"ctrl_break", Stop::ctrl_break}, {"console_closed", Stop::console_closed}};
                     return '"' + render(stopped(stops.at(a[0]), a[1] == "yes")) + '"'; }},
    {"left_over",[](const Args& a) -> Result { return '"' + left_over_warning(a[0]) + '"'; }},
    {"dialogue", [](const Args& a) -> Result { return '"' + dialogue_refusal(a) + '"'; }},
};
// clang-format on

// The same float; for a result marked ~, within half a unit of its last digit written.
bool meets(float value, const std::string& expected) {
    if (!expected.starts_with('~')) {
        return same(value, f(expected));
    }
    const std::string rounded = expected.substr(1);
    const auto point = rounded.find('.');
    const auto decimals = point == std::string::npos ? 0 : rounded.size() - point - 1;
    const double half_unit = 0.5 * std::pow(10.0, -static_cast<double>(decimals));
    return std::fabs(double{value} - std::stod(rounded)) <= half_unit;
}

TEST(Facts, AsListed) {
    std::ifstream facts(FACTS);
    int count = 0;
    for (std::string line; std::getline(facts, line);) {
        line = line.substr(0, line.find('#'));
        const auto quote = line.find('"');
        std::istringstream in(line.substr(0, quote));
        Args args{std::istream_iterator<std::string>(in), {}};
        if (quote != std::string::npos) {  // a text, spaces and all
            args.push_back(line.substr(quote, line.rfind('"') - quote + 1));
        }
        if (args.empty()) {
            continue;
        }
        const std::string function = args.front();
        const std::string expected = args.back();
        args = Args(args.begin() + 1, args.end() - 1);
        ASSERT_TRUE(functions.count(function)) << "no such fact: " << line;
        const Result result = functions.at(function)(args);
        if (const auto* text = std::get_if<std::string>(&result)) {
            EXPECT_EQ(*text, expected) << line;
        } else {
            const float value = std::get<float>(result);
            EXPECT_TRUE(expected != "none" && meets(value, expected)) << line << ": " << value;
        }
        ++count;
    }
    EXPECT_GT(count, 100);
}

// The workbook's cells hold what the result file's cells print: the value of the split
// into whole part and hundredths, and the whole degrees of an angle, equal to the
// printed text read as a double, bit for bit, for floats of every size and for the
// heights and coordinates a sweep gives.
TEST(Facts, WorkbookHoldsWhatTheFilePrints) {
    const auto printed = [](char* begin, char* end) {
        std::replace(begin, end, ',', '.');
        double read = 0.0;
        const char* start = begin + (*begin == ' ' ? 1 : 0);
        EXPECT_EQ(fast_float::from_chars(start, static_cast<const char*>(end), read).ptr, end);
        return read;
    };
    std::mt19937 random(20261207);
    std::uniform_int_distribution<std::uint32_t> any_bits;
    std::uniform_int_distribution<int> hundredths(-100000000, 100000000);
    std::array<char, max_decimal_comma_length> text{};
    for (int i = 0; i < 3000000; ++i) {
        float value = float_of(any_bits(random));
        if (i % 2 == 1) {
            value = static_cast<float>(hundredths(random)) / 100.0F;  // what a sweep prints
        }
        const auto number = decimal_comma(value);
        ASSERT_EQ(number.has_value(), std::isfinite(value));
        if (number) {
            const double read = printed(text.data(), put_decimal_comma(text.data(), value));
            ASSERT_EQ(bits_of_double(number->value()), bits_of_double(read)) << value;
        }
        if (std::isfinite(value)) {
            const double read = printed(text.data(), put_whole(text.data(), value));
            ASSERT_EQ(whole_value(value), read) << value;
        }
    }
}

// The units only label the cohesion and the density: a run in kPa and kN/m3 gives the
// bytes of the same values in Tn/m2 and Tn/m3, the labels aside (the unit weight named
// as such: "pes espec\xEDfic", i-acute in Windows-1252, for "densitat").
TEST(Facts, UnitsLabelTheValuesAndLeaveTheRows) {
    const auto file_of = [](const ChartInputs& entered) {
        ResultFileBytes bytes(entered);
        std::string text;
        for (std::string_view block = bytes.next(); !block.empty(); block = bytes.next()) {
            text += block;
        }
        return text;
    };
    for (ChartInputs entered :
         {ChartInputs{30, 20, 19.6F, 20, 1, 1.5F}, ChartInputs{26.3F, 4.2F, 2, 6, 0.5F, 2},
          ChartInputs{35, 0, 2.5F, 12, 0.25F, 1.25F}}) {
        std::string tonnes = file_of(entered);
        entered.units = Units::si;
        const std::string si = file_of(entered);
        ASSERT_NE(tonnes.find("\tTn/m3\r\n"), std::string::npos);
        tonnes.replace(tonnes.find("\tTn/m3\r\n") + 1, 5, "kN/m3");
        tonnes.replace(tonnes.find("\tTn/m2\r\n") + 1, 5, "kPa");
        tonnes.replace(tonnes.find("\tdensitat\t") + 1, 8,
                       "pes espec\xED"
                       "fic");
        EXPECT_EQ(si, tonnes);
    }
}

// Whatever family says it, each thing the program, the page or Python says has its words:
// a template under its id.
TEST(Words, EveryIdHasItsTemplate) {
    for (std::size_t id = 0; id < static_cast<std::size_t>(Said::said_count); ++id) {
        EXPECT_NO_THROW(static_cast<void>(template_of(static_cast<Said>(id)))) << "id " << id;
    }
}

TEST(Facts, Chart1AsPrinted) {
    const DesignChart& chart = design_chart();
    std::ifstream printed(CHART1_AS_PRINTED);
    std::size_t rows = 0;
    for (std::string line; std::getline(printed, line);) {
        std::istringstream in(line);
        int key = 0;
        std::string threshold;
        if (line.empty() || line[0] == '#' || !(in >> key >> threshold)) {
            continue;
        }
        ASSERT_EQ(chart.rows[rows].key, key);
        EXPECT_EQ(chart.rows[rows++].threshold, std::stod(threshold)) << "row " << key;
        const float x = static_cast<float>(key / 100.0);
        for (const float compiled : {C4(chart, x), C3(chart, x), C2(chart, x), C1(chart, x), C0(chart, x)}) {
            std::string c;
            in >> c;
            EXPECT_TRUE(same(compiled, c == "-" ? NAN : std::stof(c))) << "row " << key << ": " << compiled;
        }
    }
    EXPECT_EQ(rows, 66U);
    EXPECT_EQ(chart.rows.size(), rows);
}

// The usage error of a command line: from reading it, or, for slopes to check or to answer
// by Bishop's method, found answering them, where the values of one describe no slope.
std::optional<UsageError> usage_error(const decltype(read_command_line({}))& command) {
    return std::visit(
        [](const auto& asked) -> std::optional<UsageError> {
            using Asked = std::decay_t<decltype(asked)>;
            if constexpr (std::is_same_v<Asked, UsageError>) {
                return asked;
            } else if constexpr (std::is_same_v<Asked, SlopeChecks> || std::is_same_v<Asked, BishopChecks>) {
                const auto answers = answers_of(asked);
                if (const auto* wrong = std::get_if<UsageError>(&answers)) {
                    return *wrong;
                }
            }
            return std::nullopt;
        },
        command);
}

TEST(CommandLine, WrongOnesToldInOneLine) {
    std::filesystem::create_directory("folder");  // what -o folder names
    std::ifstream file(USAGE_ERRORS);
    for (std::string line; std::getline(file, line);) {
        const auto bar = line.find(" | ");
        if (line.starts_with('#') || bar == std::string::npos) {
            continue;
        }
        std::istringstream arguments(line.substr(0, bar));
        const auto wrong =
            usage_error(read_command_line({std::istream_iterator<std::string>(arguments), {}}));
        ASSERT_TRUE(wrong.has_value()) << line;
        const std::regex told(line.substr(bar + 3) + ".* [(]see zelm-fs --help[)]$");
        EXPECT_TRUE(std::regex_search(usage_line(*wrong), told)) << line << ": " << usage_line(*wrong);
    }
}

// What a wrong command line is, as data: its id, the entry it concerns, and its values,
// each slot as it shows: a value after --check named by its slope, an option named by
// the long one it begins, the text's name for a workbook's.
TEST(CommandLine, WrongOnesAsData) {
    struct Wrong {
        std::string words;
        Said id;
        Field field;
        std::vector<std::pair<std::string, std::string>> slots;
    };
    const std::vector<Wrong> wrong_ones{
        {"--check 30 2 2.5 20 35 10 35 5 x",
         Said::usage_value_refused,
         Field::slope_angle,
         {{"name", "ANGLE3"}, {"typed", "x"}}},
        {"--bishop 30 2 2.5 20 35 1e39 35", Said::usage_value_refused, Field::slope_height, {{"name", "H2"}}},
        {"30 2,5 2.5 20 1 1.5",
         Said::usage_value_refused,
         Field::cohesion,
         {{"name", "C"}, {"typed", "2,5"}}},
        {"--bi 30 2 2.5 20 35",
         Said::usage_unknown_option,
         Field::none,
         {{"option", "--bi"}, {"meant", "--bishop"}}},
        {"-x=1 30 2 2.5 20 1 1.5",
         Said::usage_unknown_option,
         Field::none,
         {{"option", "-x"}, {"meant?yes|no", "no"}}},
        {"-o g.xlsx 30 2 2.5 5 1 1.5",
         Said::usage_workbook_name,
         Field::none,
         {{"typed", "g.xlsx"}, {"text", "g.xls"}}},
        {"--bishop -w 1",
         Said::usage_not_with_check,
         Field::none,
         {{"option", "--workbook"}, {"mode", "--bishop"}}},
        {"--check 30 2 2.5 20 35 10",
         Said::usage_check_values_count,
         Field::none,
         {{"mode", "--check"}, {"count", "6"}}},
    };
    for (const Wrong& expected : wrong_ones) {
        std::istringstream words(expected.words);
        const auto wrong = usage_error(read_command_line({std::istream_iterator<std::string>(words), {}}));
        ASSERT_TRUE(wrong.has_value()) << expected.words;
        EXPECT_EQ(wrong->said.id, expected.id) << expected.words;
        EXPECT_EQ(wrong->said.field, expected.field) << expected.words;
        for (const auto& [slot, shown] : expected.slots) {
            EXPECT_EQ(render("{" + slot + "}", wrong->said), shown) << expected.words;
        }
    }
}

// What a run finds, as ids in the order told, the entry each concerns and some of their
// values: the words are the templates' business (warnings/warnings.txt tells them).
TEST(Findings, AsData) {
    struct Run {
        ChartInputs entered;
        std::vector<std::pair<Said, Field>> found;
        std::vector<std::pair<std::string, std::string>> slots;  // of the first finding
    };
    const auto si = [](ChartInputs entered) {
        entered.units = Units::si;
        return entered;
    };
    const auto under_water = [](ChartInputs entered) {
        entered.conditions.conditions = {.water = PoreWater::ratio, .pore_pressure_ratio = 0.25};
        return entered;
    };
    const auto confirmed = [](ChartInputs entered) {
        entered.angles = Angles::confirmed;
        return entered;
    };
    const std::vector<Run> runs{
        {{30, 2, 2.5, 20, 1, 1.5}, {}, {}},
        {{90, 2, 2.5, 20, 1, 1.5},
         {{Said::value_without_meaning, Field::friction_angle},
          {Said::no_angle_friction_angle, Field::friction_angle}},
         {}},
        {{30, 2, 2.5, 20, 1, 0},
         {{Said::value_without_meaning, Field::security_factor},
          {Said::no_angle_security_factor, Field::security_factor}},
         {}},
        {{30, 2, 2.5, 20, 1, 0.8F}, {{Said::fs_below_one, Field::security_factor}}, {{"fs", "0.8"}}},
        {si({30, 20, 2, 20, 1, 1.5}),
         {{Said::unit_weight_far_below, Field::density}},
         {{"value", "2"}, {"meant", "Tn/m3"}, {"converted", "19.6"}}},
        {{30, 2, 2.5, 0.5, 1, 1.5}, {{Said::no_rows_height_below_step, Field::step}}, {}},
        {{30, 2, 2.5, 3e9, 1, 1.5}, {{Said::no_rows_too_many, Field::step}}, {}},
        {{30, 2, 2.5, 20, 3, 1.5}, {{Said::talus_not_divided, Field::step}}, {}},
        // 0.2 divides 25 in decimals: the sums of its float drift, to 24.8.
        {{30, 2, 2.5, 25, 0.2F, 1.5}, {{Said::talus_not_exact, Field::step}}, {}},
        {{30, 2, 2.5, 20, 1, 1.25}, {{Said::header_rounds, Field::none}}, {}},
        {under_water({30, 2, 2.5, 20, 1, 1.5}),
         {{Said::chart_drained_and_still, Field::none}},
         {{"conditions", "pore pressure ru 0.25"}}},
        {{43.3F, 3.93F, 1.83F, 30, 0.5, 1.2F},
         {{Said::printed_checks_short, Field::security_factor}, {Said::header_rounds, Field::none}},
         {}},
        {confirmed({43.3F, 3.93F, 1.83F, 30, 0.5, 1.2F}),
         {{Said::confirmed_angles_written, Field::none}, {Said::header_rounds, Field::none}},
         {{"fs", "1.2"}}},
    };
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const Run& run = runs[i];
        const DesignRun made = DesignRun::swept(run.entered);
        std::vector<std::pair<Said, Field>> found;
        for (const Diagnostic& finding : made.findings()) {
            found.emplace_back(finding.id, finding.field);
        }
        EXPECT_EQ(found, run.found) << "run " << i;
        for (const auto& [slot, shown] : run.slots) {
            EXPECT_EQ(render("{" + slot + "}", made.findings().front()), shown) << "run " << i;
        }
    }
}

// Where a run's heights stop growing is found before its first row, for a step of either
// sign and however small: the float sum of 0.001 stops at 32768 after 25,150,895 rows.
TEST(Findings, HeightsThatStopGrowingFoundBeforeTheRows) {
    for (const float step : {0.001F, -0.001F}) {
        const ChartInputs entered{30, 2, 2.5, 1e6F * (step > 0 ? 1.0F : -1.0F), step, 1.5};
        const auto found = heights_stop_growing(entered);
        ASSERT_TRUE(found.has_value()) << step;
        EXPECT_EQ(found->id, Said::talus_stops_growing);
        EXPECT_NE(render(*found).find("from row 25150895 on"), std::string::npos) << render(*found);
    }
    EXPECT_FALSE(heights_stop_growing({30, 2, 2.5, 20, 0.001F, 1.5}).has_value());
}

TEST(CommandLine, EveryOptionInTheManual) {
    std::ifstream file(MANUAL_PAGE);
    const std::string page(std::istreambuf_iterator<char>(file), {});
    for (const Option option : all_options) {
        const std::string name(name_of(option).name);  // --units, written \-\-units
        EXPECT_NE(page.find(std::regex_replace(name, std::regex("-"), "\\-")), std::string::npos) << name;
    }
}

}  // namespace
}  // namespace zelm
