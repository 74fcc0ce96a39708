#include "console/dialogue.hpp"

#include "entries/diagnostic.hpp"
#include "messages/dialogue.hpp"
#include "messages/entries.hpp"
#include "messages/render.hpp"
#include "numbers/reading.hpp"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zelm {
namespace {

constexpr std::string_view blanks = " \t\r\v\f";

// The entries typed, token by token, a line at a time.
class TypedLines {
  public:
    explicit TypedLines(std::istream& in) : in_(in) {}

    // The next token, from the next line that has one; nothing once the input ends.
    std::optional<std::string> next() {
        for (;;) {
            const std::size_t begin = line_.find_first_not_of(blanks, at_);
            if (begin != std::string::npos) {
                at_ = std::min(line_.find_first_of(blanks, begin), line_.size());
                return line_.substr(begin, at_ - begin);
            }
            if (!std::getline(in_, line_)) {
                return std::nullopt;
            }
            at_ = 0;
            ++line_number_;
        }
    }

    // What is left of the current line, blanks around it dropped, and the line with it.
    std::string rest_of_line() {
        const std::size_t begin = line_.find_first_not_of(blanks, at_);
        std::string rest;
        if (begin != std::string::npos) {
            rest = line_.substr(begin, line_.find_last_not_of(blanks) + 1 - begin);
        }
        at_ = line_.size();
        return rest;
    }

    // What is left of the current line and of the input after it, each line's blanks
    // dropped and the lines that hold something joined by a space; read up to
    // `most_bytes`, so that an input without end (yes | zelm-fs) ends the reading too.
    std::string rest_of_input(std::size_t most_bytes) {
        std::string rest = rest_of_line();
        std::size_t read = 0;
        while (read < most_bytes && std::getline(in_, line_)) {
            read += line_.size() + 1;
            at_ = 0;
            const std::string held = rest_of_line();
            rest.append(rest.empty() || held.empty() ? "" : " ").append(held);
        }
        return rest;
    }

    std::int64_t line_number() const { return line_number_; }

  private:
    std::istream& in_;
    std::string line_;
    std::size_t at_ = 0;
    std::int64_t line_number_ = 0;
};

// A value the dialogue took from a line, as typed, and which of the six it became.
struct TakenValue {
    std::string typed;
    std::size_t value;
};

// The dialogue's line for a refused entry, asked for as `value`: the entry quoted and
// why, the values taken before it on its line, and whether the rest of its line was
// dropped with it.
std::string entry_refused(std::size_t value, const std::string& token, Refusal refusal,
                          const std::vector<TakenValue>& taken, bool rest_ignored) {
    Diagnostic said{
        Said::entry_refused,
        entered_fields.at(value),
        {{"typed", Text{token}}, {"reason", Clauses{{refusal_said(refusal)}}}, {"rest", Flag{rest_ignored}}}};
    if (!taken.empty()) {
        Clauses values{{}, ", ", " and "};
        Clauses names{{}, ", ", " and "};
        for (const TakenValue& v : taken) {
            const Field field = entered_fields.at(v.value);
            values.items.push_back({Said::entry_listed, field, {{"item", Text{v.typed}}}});
            names.items.push_back(
                {Said::entry_listed, field, {{"item", Text{std::string(asked_names.at(v.value))}}}});
        }
        said.args.push_back({"values", std::move(values)});
        said.args.push_back({"names", std::move(names)});
        said.args.push_back({"count", Count{static_cast<std::int64_t>(taken.size())}});
    }
    return printable(render(said));
}

}  // namespace

void print_banner(std::ostream& out) { out << banner; }

std::optional<TypedValues> read_inputs(std::istream& in, std::ostream& out, Units units, LeftOver left_over) {
    TypedValues typed{};
    typed.values.units = units;
    TypedLines lines(in);
    std::vector<TakenValue> taken;  // the values taken from the current line
    std::int64_t taken_line = 0;
    for (std::size_t value = 0; value < entered_values.size(); ++value) {
        const std::string asking = prompt(value, units);
        for (;;) {
            out << asking << std::flush;
            const auto token = lines.next();
            if (!token) {
                return std::nullopt;
            }
            if (lines.line_number() != taken_line) {
                taken = {};
                taken_line = lines.line_number();
            }
            const Entry entry = read_entry(*token);
            if (entry.value) {
                typed.values.*entered_values[value] = *entry.value;
                taken.push_back({*token, value});
                break;
            }
            const bool rest_ignored = !lines.rest_of_line().empty();
            out << entry_refused(value, *token, entry.refusal, taken, rest_ignored) << '\n';
            taken = {};
        }
    }
    // Past the most a warning quotes, what is left is not worth reading.
    constexpr std::size_t most_read = std::size_t{1} << 16U;
    typed.left_over =
        left_over == LeftOver::rest_of_input ? lines.rest_of_input(most_read) : lines.rest_of_line();
    return typed;
}

std::string left_over_warning(const std::string& left_over) {
    // A long text is quoted by its beginning, cut before a whole character (not within
    // the bytes of one in UTF-8).
    constexpr std::size_t most_quoted = 60;
    std::size_t cut = left_over.size();
    if (cut > most_quoted) {
        cut = most_quoted;
        while (cut > 0 && (static_cast<unsigned char>(left_over[cut]) & 0xC0U) == 0x80U) {
            --cut;
        }
    }
    return printable(
        render({Said::left_over,
                Field::none,
                {{"text", Text{left_over.substr(0, cut)}}, {"cut", Flag{cut < left_over.size()}}}}));
}

}  // namespace zelm
