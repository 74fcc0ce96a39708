// The calculator's core as the page's script sees it, bound with embind: the same C++
// as the console program, for the same numbers and the same bytes. The script hands
// over the typed text of a field, or the six values read; it gets back why a field
// is refused, a run's rows, warnings and curve, and the two files the program writes;
// or, for the five values of a slope that stands, the program's check of it and
// Bishop's factor of safety with its critical circle; and every sentence the page
// says, in the words the program and the Python module are given by the same renderer.
//
// embind rather than plain exported C functions: the script calls typed functions
// that take and return JavaScript values (numbers, strings, arrays, a Uint8Array of
// bytes) and never reads or frees the module's memory by hand.

#include "messages/columns.hpp"
#include "messages/conditions.hpp"
#include "messages/entries.hpp"
#include "messages/files.hpp"
#include "messages/header.hpp"
#include "messages/render.hpp"
#include "messages/units.hpp"
#include "messages/warnings.hpp"
#include "numbers/reading.hpp"
#include "numbers/writing.hpp"
#include "probability/study.hpp"
#include "result/run_columns.hpp"
#include "result/run_view.hpp"
#include "result/text_file.hpp"
#include "result/text_rows.hpp"
#include "result/workbook.hpp"
#include "slices/bishop.hpp"
#include "sweep/bishop_answer.hpp"
#include "sweep/bishop_columns.hpp"
#include "sweep/chart_inputs.hpp"
#include "sweep/check.hpp"
#include "sweep/check_answer.hpp"
#include "sweep/design_run.hpp"
#include "sweep/rows.hpp"
#include "sweep/slope_angle.hpp"
#include "sweep/stop.hpp"
#include "sweep/sweep.hpp"
#include "sweep/unit_weight.hpp"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace zelm {
namespace {

using emscripten::val;

// The bytes, copied into an array of the script's own: a view of the module's memory
// would change under the script as soon as that memory grows.
val byte_array(std::string_view bytes) {
    return val(emscripten::typed_memory_view(bytes.size(),
                                             reinterpret_cast<const unsigned char*>(bytes.data())))
        .call<val>("slice");
}

val number_array(const std::vector<double>& numbers) {
    return val(emscripten::typed_memory_view(numbers.size(), numbers.data())).call<val>("slice");
}

// Columns of numbers as the script's array of arrays, in their order.
val number_arrays(const RowsOnShow::Columns& columns) {
    val arrays = val::array();
    for (const std::vector<double>& column : columns) {
        arrays.call<void>("push", number_array(column));
    }
    return arrays;
}

// The page's way to stop long work, as the program's is a signal: a script function that
// answers true once the values have changed or a newer run has begun, asked between two
// slices of the work (the page runs one thing at a time, so nothing changes within one).
ShouldStop stop_of(const val& asked) {
    return [asked] { return asked().as<bool>(); };
}

// The units named at `index` of the script's array, "tonnes" or "si" (the tonnes when
// there is none).
Units units_at(const val& values, int index) {
    const val named = values[index];
    return named.isString() ? units_named(named.as<std::string>()).value_or(Units::tonnes) : Units::tonnes;
}

// The six values of the script's array [phi, C', d, H, step, FS, units, angles], each a
// float read by read_field (a JavaScript number holds a float exactly); the name of the
// units chosen for C' and d, "tonnes" or "si", which the files' labels follow (the tonnes
// when there is none); and the angles the result file's angle column holds, "chart" or
// "confirmed" (the chart's when there is none).
ChartInputs inputs_of(const val& values) {
    const auto value = [&](int index) { return static_cast<float>(values[index].as<double>()); };
    const val angles = values[7];
    ChartInputs entered{value(0), value(1), value(2), value(3), value(4), value(5), units_at(values, 6)};
    entered.angles =
        angles.isString() ? angles_named(angles.as<std::string>()).value_or(Angles::chart) : Angles::chart;
    return entered;
}

// The slope of the script's array [phi, C', d, H, angle, units].
SlopeToCheck slope_of(const val& values) {
    const auto value = [&](int index) { return static_cast<float>(values[index].as<double>()); };
    return {value(0), value(1), value(2), value(3), value(4), &design_chart(), units_at(values, 5)};
}

// A density that no soil or rock has in the slope's units, as a warning's sentence; ""
// where it is one that some have.
std::string unit_weight_warning(const SlopeToCheck& slope) {
    const auto slip = unit_weight_out_of_range(slope.density, slope.units);
    return slip ? sentence(*slip) : std::string();
}

// One typed field, read by the program's rule for an entry, with a decimal comma
// accepted as a point (2,5 reads 2.5), and with the blanks around it dropped:
// { value: the float read, or null; reason: why not, or "" }.
val read_field(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    const auto last = text.find_last_not_of(" \t\r\n");
    const std::string_view token = first == std::string::npos
                                       ? std::string_view()
                                       : std::string_view(text).substr(first, last - first + 1);
    const Entry entry = read_entry(token, DecimalSeparator::point_or_comma);
    val field = val::object();
    field.set("value", entry.value ? val(static_cast<double>(*entry.value)) : val::null());
    field.set("reason", entry.value
                            ? std::string()
                            : std::string(refusal_reason(entry.refusal, DecimalSeparator::point_or_comma)));
    return field;
}

// What a file failed on, as the program tells it: { reason }, or { stopped }.
val said_of(const Failure& failure) {
    val answer = val::object();
    if (failure.stopped) {
        answer.set("stopped", true);
        return answer;
    }
    const std::string found = found_words(failure);
    answer.set("reason", reason_words(failure) + (found.empty() ? "" : ". " + found));
    return answer;
}

// A file in the module's file system read back and removed: { bytes } or { reason }.
val read_back(const std::string& name) {
    std::string bytes;
    // C's stdio rather than a stream: iostreams would bring the locales into the module.
    errno = 0;
    std::FILE* written = std::fopen(name.c_str(), "rb");
    std::array<char, 65536> block{};
    for (std::size_t got = 1; written != nullptr && got > 0;) {
        got = std::fread(block.data(), 1, block.size(), written);
        bytes.append(block.data(), got);
    }
    const bool unread = written == nullptr || std::ferror(written) != 0;
    const int error = errno;
    if (written != nullptr) {
        std::fclose(written);
    }
    std::remove(name.c_str());
    if (unread) {
        return said_of(Failure::system_or(error, EIO, Failure::Doing::writing));
    }
    val answer = val::object();
    answer.set("bytes", byte_array(bytes));
    return answer;
}

// A run seen on the page, taken in slices so that the page stays responsive on a long
// sweep: one sweep makes the rows on show and the curves (result/run_view.hpp), the bytes
// of the result file (kept for its download up to kept_text_most bytes; a longer file is
// made again when downloaded), and the run itself, whose findings the page shows and
// whose workbook it writes, also in slices, from a fresh stream of its rows.
class PageRun {
  public:
    static constexpr std::size_t kept_text_most = std::size_t{64} << 20U;

    PageRun(const val& values, const val& stop)
        : entered_(inputs_of(values)),
          sweep_(entered_),
          stop_(stop_of(stop)),
          shown_(sweep_.rows(), entered_.angles),
          writer_(entered_.angles),
          text_(header_text(entered_)) {}

    std::int32_t rows() const { return sweep_.rows(); }
    std::int32_t done() const { return sweep_.summary().rows; }
    bool stopped() const { return stopped_; }

    // Takes up to `count` more rows, unless the page asks to stop; true once the run is
    // over or stopped.
    bool advance(std::int32_t count) {
        if (asked_to_stop(stop_)) {
            stopped_ = true;
            return true;
        }
        std::array<char, RowWriter::max_length> line{};
        for (; count > 0; --count) {
            const SweepRow* row = sweep_.next();
            if (row == nullptr) {
                break;
            }
            shown_.take(*row);
            curve_.take(*row);
            if (text_kept_) {
                text_.append(line.data(), writer_.put(line.data(), *row));
            }
        }
        kept_ += text_.size();
        text_kept_ = text_kept_ && kept_ <= kept_text_most;
        const bool over = done() == rows();
        if (over) {
            curve_.finish();
            run_ = std::make_unique<DesignRun>(entered_, sweep_.summary());
        }
        return over;
    }

    // The result file's bytes made since the last call, or null where the file is longer
    // than the page keeps (its download makes it again).
    val text() {
        if (!text_kept_) {
            return val::null();
        }
        val bytes = byte_array(text_);
        text_.clear();
        return bytes;
    }

    // The rows shown first and last as the result file prints them, and their values of
    // the columns beyond the file's: an array of each column's numbers, in the order of
    // pageWords()'s columns after the file's.
    std::string first_rows() const { return shown_.first_rows(); }
    val first_columns() const { return number_arrays(shown_.first_columns()); }
    std::string last_rows() const { return shown_.last_rows(); }
    val last_columns() const { return number_arrays(shown_.last_columns()); }

    // The chart's title, as the workbook's: the run's chart's label and FS as entered.
    std::string title() const { return chart_title(entered_); }

    val heights() const { return number_array(curve_.heights()); }
    val angles() const { return number_array(curve_.angles()); }
    val confirmed() const { return number_array(curve_.confirmed()); }

    val warnings() const {
        val lines = val::array();
        for (const Diagnostic& finding : run_->findings()) {
            lines.call<void>("push", render(finding));
        }
        return lines;
    }

    // The run's workbook, under a name in the module's file system (its memory), begun:
    // { reason } where it is refused, as the program tells it, else {}; then written a
    // slice of rows at a time, `stop` asked between two; then put together and read
    // back: { bytes } or { reason }, or { stopped }.
    val begin_workbook(const val& stop) {
        workbook_rows_ = std::make_unique<SweptRows>(entered_);
        auto begun = WorkbookWriter::begin(workbook_name, "/tmp", *run_, *workbook_rows_, stop_of(stop));
        if (auto* refused = std::get_if<Failure>(&begun)) {
            return said_of(*refused);
        }
        workbook_ = std::move(std::get<std::unique_ptr<WorkbookWriter>>(begun));
        return val::object();
    }
    bool advance_workbook(std::int32_t count) { return workbook_->advance(count); }
    val finish_workbook() {
        const auto failure = workbook_->finish();
        workbook_.reset();
        workbook_rows_.reset();
        return failure ? said_of(*failure) : read_back(workbook_name);
    }

  private:
    static constexpr const char* workbook_name = "/tmp/ZELM_FS_result.xlsx";

    ChartInputs entered_;
    Sweep sweep_;
    ShouldStop stop_;
    bool stopped_ = false;
    RowsOnShow shown_;
    AngleCurve curve_;
    RowWriter writer_;
    std::string text_;
    bool text_kept_ = true;
    std::size_t kept_ = 0;
    std::unique_ptr<DesignRun> run_;
    std::unique_ptr<SweptRows> workbook_rows_;
    std::unique_ptr<WorkbookWriter> workbook_;
};

// The result file, the program's own bytes, in pieces the page puts into one Blob.
class ResultFileChunks {
  public:
    ResultFileChunks(const val& values, const val& stop) : bytes_(inputs_of(values)), stop_(stop_of(stop)) {}

    // The next piece, or null once the file is whole or the page asks to stop.
    val next() {
        if (asked_to_stop(stop_)) {
            stopped_ = true;
            return val::null();
        }
        const std::string_view block = bytes_.next();
        return block.empty() ? val::null() : byte_array(block);
    }
    bool stopped() const { return stopped_; }

  private:
    ResultFileBytes bytes_;
    ShouldStop stop_;
    bool stopped_ = false;
};

// The check of a slope that stands, for the script's array [phi, C', d, H, angle, units]:
// { line: the program's line for it ("H 20 m at 35 degrees: FS 1.33 to 1.35 (...)"), or
// why no value describes a slope; refused: which value (0 to 4) describes no slope, or
// -1; and for an answer, warning: the program's warning of a density no soil has in the
// units, or ""; fs: the factor of safety its design curve is drawn at, the
// first one the line names, as printed; heights and angles: that curve, the angle of the
// sweep's row at each height from H / 50 up to 2 H (100 points, H itself the 50th), NaN
// where the angle cell is empty; confirmed: the confirmed angle of the same rows, NaN
// where there is none }.
val check(const val& values) {
    const SlopeToCheck slope = slope_of(values);
    const CheckAnswer answer = check_slope(slope);
    val checked = val::object();
    const bool answered = answer.verdict != Verdict::no_answer;
    const Diagnostic line = check_line(slope, answer);
    checked.set("line", render(answered ? slope_answered(slope, line) : line));
    const auto refused = refused_position(answer);
    checked.set("refused", refused ? static_cast<int>(*refused) : -1);
    if (!answered) {
        return checked;
    }
    checked.set("warning", unit_weight_warning(slope));
    // Every FS of the range reads the same row, and so draws the same curve: the one of
    // the FS printed, which typed back into the six values gives that curve's rows.
    const std::string fs = (answer.verdict == Verdict::above_chart ? answer.highest : answer.lowest).text();
    checked.set("fs", fs);
    const ChartColumn column = chart_column(slope.friction_angle, *read_entry(fs).value);
    constexpr int points = 100;
    std::vector<double> heights;
    std::vector<double> angles;
    std::vector<double> confirmed;
    for (int k = 1; k <= points; ++k) {
        // k H / 50 in double is exact for k = 50: H itself, where the slope's point stands.
        const double height = static_cast<double>(slope.height) * k / (points / 2);
        if (height > std::numeric_limits<float>::max()) {
            break;  // a slope higher than half the largest float: the curve ends at the float's end
        }
        const auto at = static_cast<float>(height);
        heights.push_back(at);
        angles.push_back(slope_angle(slope.chart->grid(), column, slope.cohesion, slope.density, at));
        confirmed.push_back(confirmed_angle(slope.chart->grid(), column, slope.cohesion, slope.density, at));
    }
    checked.set("heights", number_array(heights));
    checked.set("angles", number_array(angles));
    checked.set("confirmed", number_array(confirmed));
    return checked;
}

// A length of the circle as the page writes it, in the height's units to two decimals;
// never "-0.00".
std::string length_text(double value) {
    const double shown = std::abs(value) < 0.005 ? 0.0 : value;
    return fixed(static_cast<float>(shown), 2);
}

// The page's fields of the conditions, as the program's options and the module's keywords
// are named: the field a refusal concerns, found by its entry.
constexpr ConditionNames page_condition_names{"ru", "water table", "tension crack", "full of water", "kh"};

std::string condition_field(Field field) {
    switch (field) {
        case Field::pore_pressure_ratio:
            return "ru";
        case Field::phreatic_distance:
            return "water";
        case Field::crack_depth:
            return "crack";
        case Field::seismic_coefficient:
            return "kh";
        default:
            return "";
    }
}

// The words of the conditions' fields, { ru, water, crack, kh: as typed, "" where empty;
// wetCrack: true or false }, read as the program reads its options.
std::variant<GivenConditions, Diagnostic> page_conditions(const val& typed, Units units) {
    const auto words = [&](const char* key) {
        const std::string text = typed[key].as<std::string>();
        return text.empty() ? std::nullopt : std::optional(text);
    };
    return conditions_of(ConditionWords{words("ru"), words("water"), words("crack"),
                                        typed["wetCrack"].as<bool>(), words("kh")},
                         units, page_condition_names);
}

// Where the section draws the water and the crack: { water: x where the water table meets
// the ground, in the height's units, null for none (the slope saturated: 0); crackDepth:
// the crack's depth, null for none }.
void set_drawn_conditions(val& answer, const SlopeConditions& on, const BishopResult& result) {
    answer.set("water", on.water == PoreWater::phreatic  ? val(on.phreatic_distance)
                        : on.water == PoreWater::surface ? val(0.0)
                                                         : val::null());
    answer.set("crackDepth", on.crack != Crack::none ? val(result.crack_depth) : val::null());
}

// Bishop's simplified method on the slope of the script's array [phi, C', d, H, angle,
// units], under the conditions of the page's fields (page_conditions):
// { fs: its factor of safety on the critical circle as written (three decimals), or "";
// reason: why there is none, as one sentence, or ""; refusedCondition: the field of the
// conditions whose words are refused ("ru", "water", "crack" or "kh"), or ""; under: the
// conditions as the answer names them, "" for a dry slope that stands still; circle: the
// critical circle's centreX, centreY, radius, entryX and exitX, toe at (0, 0), x into the
// slope, in the height's units; texts: the same five as written; shallow: true for a
// slope without cohesion, whose critical slip is a shallow slide along the face (no
// centre, an infinite radius); water and crackDepth, set_drawn_conditions' }.
val bishop(const val& values, const val& typed_conditions) {
    const SlopeToCheck slope = slope_of(values);
    val answer = val::object();
    answer.set("refusedCondition", std::string());
    auto read = page_conditions(typed_conditions, slope.units);
    if (const auto* wrong = std::get_if<Diagnostic>(&read)) {
        answer.set("fs", std::string());
        answer.set("reason", render(as_sentence(*wrong)));
        answer.set("refusedCondition", condition_field(wrong->field));
        return answer;
    }
    const HomogeneousSlope standing = homogeneous(slope, std::get<GivenConditions>(read));
    const BishopResult result = critical_circle(standing);
    const bool answered = result.reason == BishopReason::none;
    answer.set("under",
               dry_and_still(standing.conditions)
                   ? std::string()
                   : render(Diagnostic{Said::page_under,
                                       Field::none,
                                       {{"under", conditions_said({standing.conditions}, result.crack_depth)},
                                        {"chart", Text{std::string(design_chart().name)}}}}));
    // As the program's line gives it: rounded down, and what else the engineer should know.
    answer.set("fs", answered ? fixed(bishop_rounded(result.factor_of_safety), 3) : std::string());
    answer.set("cautions", answered ? render(bishop_cautions(result)) : std::string());
    // The page's sentence names the method: a failure of the method is told as its clause.
    answer.set("reason", answered                        ? std::string()
                         : values_refused(result.reason) ? render(as_sentence(bishop_refusal(slope, result)))
                                                         : render(as_sentence(method_fails(result))));
    if (!answered) {
        return answer;
    }
    const SlipCircle& c = result.circle;
    const std::array<std::pair<const char*, double>, 5> lengths{{{"centreX", c.centre_x},
                                                                 {"centreY", c.centre_y},
                                                                 {"radius", c.radius},
                                                                 {"entryX", c.entry_x},
                                                                 {"exitX", c.exit_x}}};
    val circle = val::object();
    val texts = val::object();
    for (const auto& [name, length] : lengths) {
        circle.set(name, length);
        texts.set(name, length_text(length));
    }
    answer.set("circle", circle);
    answer.set("texts", texts);
    answer.set("shallow", result.shallow);
    set_drawn_conditions(answer, standing.conditions, result);
    return answer;
}

// A study's spread as the check's fields give it (entered_material); the draws and the seed.
struct PageSpread {
    UncertainMaterial material;
    std::size_t draws = 4000;
    std::uint64_t seed = 1;
};

// The spread of { phiSd, cohesionSd, draws, seed } as typed ("" for the default: no
// deviation, 4000 draws, seed 1), or which field is refused and why.
std::variant<PageSpread, std::pair<std::string, Diagnostic>> spread_of(const val& typed,
                                                                       const SlopeToCheck& slope) {
    PageSpread spread;
    const auto text = [&](const char* key) { return typed[key].as<std::string>(); };
    const auto deviation = [&](const char* key) -> std::optional<double> {
        if (text(key).empty()) {
            return 0.0;
        }
        const Entry entry = read_entry(text(key), DecimalSeparator::point_or_comma);
        if (entry.value && std::isfinite(*entry.value) && *entry.value >= 0.0F) {
            return static_cast<double>(*entry.value);
        }
        return std::nullopt;
    };
    const auto phi_sd = deviation("phiSd");
    const auto cohesion_sd = deviation("cohesionSd");
    const auto refused = [&](const char* key, Said said, const char* field) {
        return std::pair{std::string(key),
                         Diagnostic{said, Field::none, {{"field", Text{field}}, {"shown", Text{text(key)}}}}};
    };
    if (!phi_sd) {
        return refused("phiSd", Said::page_spread_refused, "phi");
    }
    if (!cohesion_sd) {
        return refused("cohesionSd", Said::page_spread_refused, "C'");
    }
    const auto draws = text("draws").empty() ? std::optional<std::uint64_t>(4000)
                                             : read_whole_number(text("draws"), 100, 20000);
    if (!draws) {
        return refused("draws", Said::page_draws_refused, "");
    }
    const auto seed = text("seed").empty()
                          ? std::optional<std::uint64_t>(1)
                          : read_whole_number(text("seed"), 0, std::numeric_limits<std::uint64_t>::max());
    if (!seed) {
        return refused("seed", Said::page_seed_refused, "");
    }
    spread.material =
        entered_material(slope.friction_angle, *phi_sd, slope.cohesion, *cohesion_sd, slope.density);
    spread.draws = static_cast<std::size_t>(*draws);
    spread.seed = *seed;
    return spread;
}

// What a study says, as the page's line gives it.
std::string study_line(const PageSpread& spread, const FailureStatistics& s) {
    const auto percent = [](double share) { return Text{fixed(100.0 * share, 2)}; };
    const auto three = [](double value) {
        return Text{std::isnan(value) ? std::string("none") : fixed(value, 3)};
    };
    const auto& m = spread.material;
    const std::string unanswered =
        s.unanswered == 0 ? std::string()
                          : render(Diagnostic{Said::page_probability_unanswered,
                                              Field::none,
                                              {{"count", Count{static_cast<std::int64_t>(s.unanswered)}}}});
    return render(
        Diagnostic{Said::page_probability_line,
                   Field::none,
                   {{"probability", std::isnan(s.probability) ? Text{"none"} : percent(s.probability)},
                    {"lower", percent(s.lower)},
                    {"upper", percent(s.upper)},
                    {"count", Count{static_cast<std::int64_t>(s.draws)}},
                    {"phi_sd", Typed{static_cast<float>(m.friction_angle.sd)}},
                    {"cohesion_spread", Text{m.cohesion.mean > 0.0 ? "lognormal" : "normal"}},
                    {"cohesion_sd", Typed{static_cast<float>(m.cohesion.sd)}},
                    {"seed", Text{std::to_string(spread.seed)}},
                    {"mean", three(s.mean)},
                    {"sd", three(s.sd)},
                    {"p5", three(s.p5)},
                    {"p95", three(s.p95)},
                    {"beta", three(s.reliability_index)},
                    {"beta_lognormal", three(s.reliability_index_lognormal)},
                    {"unanswered", Text{unanswered}}}});
}

// The probability of failure of the slope of the script's array [phi, C', d, H, angle,
// units] under the conditions' fields (page_conditions), its material spread as the
// fields { phiSd, cohesionSd, draws, seed } say (spread_of): { refused: the field refused,
// or ""; line: the study's sentence, why the field is refused, or "" where Bishop's method
// answers nothing for the slope itself (the check says why); edges, counts and width: the
// histogram of the draws' FS, its bins' lower edges (one of them FS 1) and the draws in
// each }.
val probability(const val& values, const val& typed_conditions, const val& typed_spread) {
    const SlopeToCheck slope = slope_of(values);
    val answer = val::object();
    answer.set("refused", std::string());
    answer.set("line", std::string());
    const auto read = spread_of(typed_spread, slope);
    if (const auto* wrong = std::get_if<std::pair<std::string, Diagnostic>>(&read)) {
        answer.set("refused", wrong->first);
        answer.set("line", render(wrong->second));
        return answer;
    }
    const auto conditions = page_conditions(typed_conditions, slope.units);
    if (std::holds_alternative<Diagnostic>(conditions)) {
        return answer;
    }
    const HomogeneousSlope standing = homogeneous(slope, std::get<GivenConditions>(conditions));
    if (critical_circle(standing).reason != BishopReason::none) {
        return answer;
    }
    const auto& spread = std::get<PageSpread>(read);
    const SlopeStudy study = study_slope(spread.material, spread.seed, spread.draws, standing);
    answer.set("line", study_line(spread, study.said));
    const Histogram bins = fs_histogram(study.fs, 40);
    answer.set("edges", number_array(bins.edges));
    answer.set("counts", number_array(bins.counts));
    answer.set("width", bins.width);
    return answer;
}

// The page's sentences, by the keys its script asks for them by.
constexpr auto page_sentences = std::to_array<std::pair<std::string_view, Said>>({
    {"runStopped", Said::page_run_stopped},
    {"resultOutOfDate", Said::page_result_out_of_date},
    {"enterAValue", Said::page_enter_a_value},
    {"entryRefused", Said::page_entry_refused},
    {"sixRefused", Said::page_six_refused},
    {"resultForEarlier", Said::page_result_for_earlier},
    {"fiveRefused", Said::page_five_refused},
    {"chartForEarlier", Said::page_chart_for_earlier},
    {"checkRefused", Said::page_check_refused},
    {"rowsCaption", Said::page_rows_caption},
    {"endsCaption", Said::page_ends_caption},
    {"rowsNotShown", Said::page_rows_not_shown},
    {"computing", Said::page_computing},
    {"warning", Said::page_warning},
    {"rowsComputed", Said::page_rows_computed},
    {"rowsComputedWarned", Said::page_rows_computed_warned},
    {"warnings", Said::page_warnings},
    {"checkCaption", Said::page_check_caption},
    {"designCurve", Said::page_design_curve},
    {"confirmedCurve", Said::page_confirmed_curve},
    {"slopePoint", Said::page_slope_point},
    {"bishopLine", Said::page_bishop_line},
    {"bishopShallow", Said::page_bishop_shallow},
    {"bishopShallowUnder", Said::page_bishop_shallow_under},
    {"bishopNone", Said::page_bishop_none},
    {"sectionTitle", Said::page_section_title},
    {"sectionCaption", Said::page_section_caption},
    {"shallowCaption", Said::page_shallow_caption},
    {"checkOutOfDate", Said::page_check_out_of_date},
    {"makingText", Said::page_making_text},
    {"textReady", Said::page_text_ready},
    {"textFailed", Said::page_text_failed},
    {"makingWorkbook", Said::page_making_workbook},
    {"workbookRefused", Said::page_workbook_refused},
    {"workbookReady", Said::page_workbook_ready},
    {"workbookFailed", Said::page_workbook_failed},
    {"runFailed", Said::page_run_failed},
    {"checkFailed", Said::page_check_failed},
    {"histogramCaption", Said::page_histogram_caption},
    {"standingDraws", Said::page_standing_draws},
    {"failingDraws", Said::page_failing_draws},
    {"fsAxis", Said::page_fs_axis},
    {"drawsAxis", Said::page_draws_axis},
});

// The page's sentence under `key`, in the words every host's are made by, its slots
// filled from the script's object: a number is a count, which also chooses the
// sentence's form; anything else a text, as the script writes it (an Error as "Error:
// ..."). The script formats the numbers it shows itself. {chart} is the chart the page's
// check reads.
std::string say(const std::string& key, const val& slots) {
    const auto* sentence = std::find_if(page_sentences.begin(), page_sentences.end(),
                                        [&key](const auto& known) { return known.first == key; });
    if (sentence == page_sentences.end()) {
        throw std::logic_error("the page has no sentence " + key);
    }
    const val entries = val::global("Object").call<val>("entries", slots);
    const auto count = entries["length"].as<std::size_t>();
    std::vector<std::string> names;  // the slots' names, which the diagnostic's arguments view
    names.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        names.push_back(entries[i][0].as<std::string>());
    }
    Diagnostic said{sentence->second, Field::none, {{"chart", Text{std::string(design_chart().name)}}}};
    for (std::size_t i = 0; i < count; ++i) {
        const val value = entries[i][1];
        said.args.push_back({names[i], value.isNumber()
                                           ? Value{Count{static_cast<std::int64_t>(value.as<double>())}}
                                           : Value{Text{val::global("String")(value).as<std::string>()}}});
    }
    return render(said);
}

// The table's columns, in their order: the result file's four, whose cells are the file's
// text, as { title }; then those beyond the file's (result/run_columns.hpp), whose cells
// the script writes from the numbers a run gives, as { title, decimals }.
val table_columns() {
    val columns = val::array();
    for (const std::string_view title : RowsOnShow::file_titles) {
        val column = val::object();
        column.set("title", std::string(title));
        columns.call<void>("push", column);
    }
    for (const std::size_t place : columns_beyond_the_file) {
        val column = val::object();
        column.set("title", std::string(run_columns[place].title));
        column.set("decimals", run_columns[place].decimals);
        columns.call<void>("push", column);
    }
    return columns;
}

// What the page shows beside its sentences: { columns: the table's columns (above);
// titles: the curves' titles; units: each choice of units by its name, with the text the
// forms offer it by, the labels of C' and d, and what d is called (weight) }.
val page_words() {
    val titles = val::object();
    titles.set("height", std::string(column_titles.height));
    titles.set("angle", std::string(column_titles.angle));
    titles.set("confirmed", std::string(column_titles.confirmed_angle));
    val units = val::object();
    for (const Units choice : {Units::tonnes, Units::si}) {
        const UnitLabels& labels = labels_of(choice);
        val shown = val::object();
        shown.set(
            "offered",
            render({Said::page_units_offered,
                    Field::none,
                    {{"stress", Text{std::string(labels.stress)}}, {"unit_weight", WeightUnit{choice}}}}));
        shown.set("stress", std::string(labels.stress));
        shown.set("unitWeight", std::string(labels.unit_weight));
        shown.set("weight", std::string(labels.weight_title));
        units.set(std::string(labels.option), shown);
    }
    val words = val::object();
    words.set("columns", table_columns());
    words.set("titles", titles);
    words.set("units", units);
    return words;
}

}  // namespace
}  // namespace zelm

EMSCRIPTEN_BINDINGS(zelm_fs) {
    using namespace zelm;
    emscripten::function("readField", &read_field);
    emscripten::function("pageWords", &page_words);
    emscripten::function("say", &say);
    emscripten::function("check", &check);
    emscripten::function("bishop", &bishop);
    emscripten::function("probability", &probability);
    emscripten::class_<PageRun>("PageRun")
        .constructor<const emscripten::val&, const emscripten::val&>()
        .function("rows", &PageRun::rows)
        .function("done", &PageRun::done)
        .function("stopped", &PageRun::stopped)
        .function("advance", &PageRun::advance)
        .function("firstRows", &PageRun::first_rows)
        .function("firstColumns", &PageRun::first_columns)
        .function("lastRows", &PageRun::last_rows)
        .function("lastColumns", &PageRun::last_columns)
        .function("title", &PageRun::title)
        .function("heights", &PageRun::heights)
        .function("angles", &PageRun::angles)
        .function("confirmed", &PageRun::confirmed)
        .function("warnings", &PageRun::warnings)
        .function("text", &PageRun::text)
        .function("beginWorkbook", &PageRun::begin_workbook)
        .function("advanceWorkbook", &PageRun::advance_workbook)
        .function("finishWorkbook", &PageRun::finish_workbook);
    emscripten::class_<ResultFileChunks>("ResultFileChunks")
        .constructor<const emscripten::val&, const emscripten::val&>()
        .function("next", &ResultFileChunks::next)
        .function("stopped", &ResultFileChunks::stopped);
}
