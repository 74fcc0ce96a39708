#include "console/progress_line.hpp"

#include "console/terminal_platform.hpp"

#include <algorithm>
#include <string>

namespace zelm {
namespace {

constexpr auto quiet_for = std::chrono::seconds(1);
constexpr auto between_draws = std::chrono::milliseconds(250);

}  // namespace

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
