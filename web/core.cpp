// The calculator's core as the page's script sees it, bound with embind: the same C++
// as the console program, for the same numbers and the same bytes. The script hands
// over the typed text of a field, or the six values read; it gets back why a field
// is refused, a run's rows, warnings and curve, and the two files the program writes;
// or, for the five values of a slope that stands, the program's check of it and
// Bishop's factor of safety with its critical circle.
//
// embind rather than plain exported C functions: the script calls typed functions
// that take and return JavaScript values (numbers, strings, arrays, a Uint8Array of
// bytes) and never reads or frees the module's memory by hand.

#include "messages/columns.hpp"
#include "messages/entries.hpp"
#include "messages/header.hpp"
#include "messages/page.hpp"
#include "messages/render.hpp"
#include "messages/units.hpp"
#include "messages/warnings.hpp"
#include "numbers/reading.hpp"
#include "numbers/writing.hpp"
#include "result/text_file.hpp"
#include "result/text_rows.hpp"
#include "result/workbook.hpp"
#include "slices/bishop.hpp"
#include "sweep/bishop_answer.hpp"
#include "sweep/bishop_columns.hpp"
#include "sweep/chart_inputs.hpp"
#include "sweep/check.hpp"
#include "sweep/check_answer.hpp"
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
#include <string>
#include <string_view>
#include <utility>
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

// A run seen on the page, taken in slices so that the page stays responsive on a long
// sweep: the rows as the result file prints them (every one up to shown_whole, else
// the first and last shown_ends), each with its confirmed angle beside it; the curves of
// the angle and of the confirmed angle against H (the numbers the workbook holds, one
// point where either changes, so that a long run draws as fast as a short one and the
// same lines); and the warnings of the program.
class PageRun {
  public:
    static constexpr std::int32_t shown_whole = 10000;
    static constexpr std::int32_t shown_ends = 100;

    PageRun(const val& values, const val& stop)
        : entered_(inputs_of(values)),
          sweep_(entered_),
          stop_(stop_of(stop)),
          shown_first_(rows() <= shown_whole ? rows() : shown_ends),
          writer_(entered_.angles) {}

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
        for (; count > 0; --count) {
            const SweepRow* row = sweep_.next();
            if (row == nullptr) {
                break;
            }
            take(*row);
        }
        const bool over = done() == rows();
        if (over) {
            finish_curve();
        }
        return over;
    }

    // The rows shown first and last, each as the result file prints it, TABs and CR LF;
    // and the confirmed angle of each of them, in the same order, NaN where there is none.
    std::string first_rows() const { return first_; }
    val first_confirmed() const { return number_array(first_confirmed_); }
    std::string last_rows() const {
        std::string text;
        RowWriter writer(entered_.angles);
        std::array<char, RowWriter::max_length> line{};
        for_last_rows([&](const SweepRow& row) { text.append(line.data(), writer.put(line.data(), row)); });
        return text;
    }
    val last_confirmed() const {
        std::vector<double> confirmed;
        for_last_rows([&](const SweepRow& row) { confirmed.push_back(confirmed_value(row)); });
        return number_array(confirmed);
    }

    // The chart's title, as the workbook's: the run's chart's label and FS as entered.
    std::string title() const { return chart_title(entered_); }

    val heights() const { return number_array(heights_); }
    val angles() const { return number_array(angles_); }
    val confirmed() const { return number_array(confirmed_); }

    val warnings() const {
        val lines = val::array();
        for (const std::string& line : zelm::warnings(entered_, sweep_.summary())) {
            lines.call<void>("push", line);
        }
        return lines;
    }

  private:
    static double confirmed_value(const SweepRow& row) {
        return row.confirmed ? static_cast<double>(*row.confirmed) : std::numeric_limits<double>::quiet_NaN();
    }

    // Calls each(row) for the last rows kept, oldest first.
    template <typename Each>
    void for_last_rows(Each&& each) const {
        const std::size_t kept =
            std::min<std::size_t>(last_.size(), static_cast<std::size_t>(done() - shown_first_));
        for (std::size_t i = 0; i < kept; ++i) {
            each(last_[(next_last_ + last_.size() - kept + i) % last_.size()]);
        }
    }

    void take(const SweepRow& row) {
        if (done() <= shown_first_) {
            std::array<char, RowWriter::max_length> line{};
            first_.append(line.data(), writer_.put(line.data(), row));
            first_confirmed_.push_back(confirmed_value(row));
        } else if (rows() > shown_whole) {
            if (last_.size() < static_cast<std::size_t>(shown_ends)) {
                last_.push_back(row);
            } else {
                last_[next_last_] = row;
            }
            next_last_ = (next_last_ + 1) % static_cast<std::size_t>(shown_ends);
        }
        const auto height = decimal_comma(row.height);
        const double angle =
            has_empty_angle(row) ? std::numeric_limits<double>::quiet_NaN() : whole_value(*row.angle);
        const double confirmed = confirmed_value(row);
        if (!height) {
            return;  // no height to draw it at
        }
        // A run of rows with the same angle and the same confirmed angle draws as the
        // lines between its first and last point. Both change only where y does.
        const auto equal = [](double a, double b) { return a == b || (a != a && b != b); };
        const bool same =
            !angles_.empty() && equal(angle, angles_.back()) && equal(confirmed, confirmed_.back());
        if (same && run_length_ > 0) {
            pending_height_ = height->value();
            ++run_length_;
            return;
        }
        finish_curve();
        heights_.push_back(height->value());
        angles_.push_back(angle);
        confirmed_.push_back(confirmed);
        run_length_ = 1;
    }

    // The last point of the run of equal rows taken so far, if it is not drawn yet.
    void finish_curve() {
        if (run_length_ > 1) {
            heights_.push_back(pending_height_);
            angles_.push_back(angles_.back());
            confirmed_.push_back(confirmed_.back());
        }
        run_length_ = 0;
    }

    ChartInputs entered_;
    Sweep sweep_;
    ShouldStop stop_;
    bool stopped_ = false;
    std::int32_t shown_first_;
    RowWriter writer_;
    std::string first_;
    std::vector<double> first_confirmed_;
    std::vector<SweepRow> last_;
    std::size_t next_last_ = 0;
    std::vector<double> heights_;
    std::vector<double> angles_;
    std::vector<double> confirmed_;
    std::int32_t run_length_ = 0;
    double pending_height_ = 0.0;
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

// The workbook, written by the program's own code under a name in the module's file
// system (its memory), read back and removed: { bytes } or { reason }, the reason as
// the program tells it.
val workbook(const val& values) {
    const std::string name = "/tmp/ZELM_FS_result.xlsx";
    val answer = val::object();
    auto failure = write_workbook_at(name, "/tmp", inputs_of(values), std::nullopt, {});
    std::string bytes;
    if (!failure) {
        // C's stdio rather than a stream: iostreams would bring the locales into the module.
        errno = 0;
        std::FILE* written = std::fopen(name.c_str(), "rb");
        std::array<char, 65536> block{};
        for (std::size_t got = 1; written != nullptr && got > 0;) {
            got = std::fread(block.data(), 1, block.size(), written);
            bytes.append(block.data(), got);
        }
        if (written == nullptr || std::ferror(written) != 0) {
            failure = Failure::system(errno != 0 ? errno : EIO);
        }
        if (written != nullptr) {
            std::fclose(written);
        }
    }
    std::remove(name.c_str());
    if (failure) {
        answer.set("reason", failure->reason + (failure->detail.empty() ? "" : ". " + failure->detail));
    } else {
        answer.set("bytes", byte_array(bytes));
    }
    return answer;
}

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

// Bishop's simplified method on the slope of the script's array [phi, C', d, H, angle,
// units]:
// { fs: its factor of safety on the critical circle as written (three decimals), or "";
// reason: why there is none, as one sentence, or ""; circle: the critical circle's
// centreX, centreY, radius, entryX and exitX, toe at (0, 0), x into the slope, in the
// height's units; texts: the same five as written; shallow: true for a slope without
// cohesion, whose critical slip is a shallow slide along the face (no centre, an
// infinite radius) }.
val bishop(const val& values) {
    const SlopeToCheck slope = slope_of(values);
    const BishopResult result = critical_circle(
        {slope.height, slope.slope_angle, slope.friction_angle, slope.cohesion, slope.density});
    val answer = val::object();
    const bool answered = result.reason == BishopReason::none;
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
    return answer;
}

// What the page says, for its script to fill with numbers: { said: each sentence by its
// key, a template or, where it says a count, its forms for one and for more; titles: the
// columns' and the curves' titles; units: each choice of units by its name, with the text
// the forms offer it by, the labels of C' and d, and what d is called (weight) }.
val page_words() {
    val said = val::object();
    for (const PageSentence& sentence : page_sentences(design_chart())) {
        val forms = val(sentence.one);
        if (!sentence.many.empty()) {
            forms = val::array();
            forms.call<void>("push", sentence.one);
            forms.call<void>("push", sentence.many);
        }
        said.set(std::string(sentence.key), forms);
    }
    val titles = val::object();
    titles.set("height", std::string(column_titles.height));
    titles.set("x", std::string(column_titles.x));
    titles.set("y", std::string(column_titles.y));
    titles.set("angle", std::string(column_titles.angle));
    titles.set("confirmed", std::string(column_titles.confirmed_angle));
    val units = val::object();
    for (const UnitLabels* labels : {&tonne_labels, &si_labels}) {
        val choice = val::object();
        choice.set("offered", units_offered(*labels));
        choice.set("stress", std::string(labels->stress));
        choice.set("unitWeight", std::string(labels->unit_weight));
        choice.set("weight", std::string(labels->weight_title));
        units.set(std::string(labels->option), choice);
    }
    val words = val::object();
    words.set("said", said);
    words.set("titles", titles);
    words.set("units", units);
    return words;
}

}  // namespace
}  // namespace zelm

EMSCRIPTEN_BINDINGS(zelm_fs) {
    using namespace zelm;
    emscripten::function("readField", &read_field);
    emscripten::function("workbook", &workbook);
    emscripten::function("pageWords", &page_words);
    emscripten::function("check", &check);
    emscripten::function("bishop", &bishop);
    emscripten::class_<PageRun>("PageRun")
        .constructor<const emscripten::val&, const emscripten::val&>()
        .function("rows", &PageRun::rows)
        .function("done", &PageRun::done)
        .function("stopped", &PageRun::stopped)
        .function("advance", &PageRun::advance)
        .function("firstRows", &PageRun::first_rows)
        .function("firstConfirmed", &PageRun::first_confirmed)
        .function("lastRows", &PageRun::last_rows)
        .function("lastConfirmed", &PageRun::last_confirmed)
        .function("title", &PageRun::title)
        .function("heights", &PageRun::heights)
        .function("angles", &PageRun::angles)
        .function("confirmed", &PageRun::confirmed)
        .function("warnings", &PageRun::warnings);
    emscripten::class_<ResultFileChunks>("ResultFileChunks")
        .constructor<const emscripten::val&, const emscripten::val&>()
        .function("next", &ResultFileChunks::next)
        .function("stopped", &ResultFileChunks::stopped);
}
