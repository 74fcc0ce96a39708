#include "console/progress_line.hpp"

#include "console/terminal_platform.hpp"
#include "entries/diagnostic.hpp"
#include "messages/diagnostic.hpp"
#include "messages/render.hpp"

#include <algorithm>
#include <cmath>
#include <string>

namespace zelm {
namespace {

constexpr auto quiet_for = std::chrono::seconds(1);
constexpr auto between_draws = std::chrono::milliseconds(250);

// Whole rows a second below a million, millions with a decimal from there.
Diagnostic rate(double rows_per_second) {
    if (rows_per_second < 999999.5) {
        return {Said::progress_rate, Field::none, {{"rows", Count{std::lround(rows_per_second)}}}};
    }
    return {Said::progress_rate, Field::none, {{"millions", Fixed{rows_per_second / 1e6, 1}}}};
}

// Seconds below a minute, then minutes and seconds, then hours and minutes.
Diagnostic time_left(double seconds) {
    const auto whole = static_cast<std::int64_t>(std::ceil(std::min(seconds, 1e7)));
    if (whole < 60) {
        return {Said::progress_time_left, Field::none, {{"seconds", Count{whole}}}};
    }
    if (whole < 3600) {
        return {Said::progress_time_left,
                Field::none,
                {{"minutes", Count{whole / 60}}, {"seconds", Count{whole % 60}}}};
    }
    return {Said::progress_time_left,
            Field::none,
            {{"hours", Count{whole / 3600}}, {"minutes", Count{whole % 3600 / 60}}}};
}

}  // namespace

std::string progress_line(Writing writing, std::int32_t done, std::int32_t total, double rows_per_second) {
    Diagnostic said{
        Said::progress,
        Field::none,
        {{"workbook", Flag{writing == Writing::workbook}}, {"done", Count{done}}, {"total", Count{total}}}};
    if (rows_per_second > 0.0) {
        said.args.push_back({"rate", Clauses{{rate(rows_per_second)}}});
        said.args.push_back({"left", Clauses{{time_left((total - done) / rows_per_second)}}});
    }
    return std::string(line_prefix) + render(said);
}

ProgressLine::ProgressLine(Writing writing, bool rows_on_standard_output)
    : writing_(writing),
      terminal_(rows_on_standard_output && platform::standard_output_is_a_terminal()
                    ? -1
                    : platform::terminal_on_standard_error()),
      started_(Clock::now()) {}

ProgressLine::~ProgressLine() {
    if (terminal_ < 0) {
        return;
    }
    if (drawn_ > 0) {  // spaces over the line, and back to its start for the next one
        platform::draw_on_terminal(terminal_, "\r" + std::string(drawn_, ' ') + "\r");
    }
    platform::close_terminal(terminal_);
}

TellProgress ProgressLine::teller() {
    if (terminal_ < 0) {
        return {};
    }
    return [this](std::int32_t done, std::int32_t total) { tell(done, total); };
}

void ProgressLine::tell(std::int32_t done, std::int32_t total) {
    const Clock::time_point now = Clock::now();
    if (done >= total || now - started_ < quiet_for || (drawn_ > 0 && now - drawn_at_ < between_draws)) {
        return;
    }
    const std::chrono::duration<double> elapsed = now - started_;
    std::string line = progress_line(writing_, done, total, done / elapsed.count());
    const std::size_t length = line.size();
    if (length < drawn_) {  // over the end of a longer line before it
        line.append(drawn_ - length, ' ');
    }
    platform::draw_on_terminal(terminal_, "\r" + line);
    drawn_ = std::max(drawn_, length);
    drawn_at_ = now;
}

}  // namespace zelm
