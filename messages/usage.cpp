#include "messages/usage.hpp"

#include "messages/entries.hpp"
#include "messages/files.hpp"
#include "messages/render.hpp"
#include "messages/units.hpp"

#include <string_view>

namespace zelm {
namespace {

std::string long_name(Option option) { return std::string(name_of(option).name); }

// An option the program does not know, named up to any '=', and the one long option
// whose name begins with it, if there is just one.
std::string unknown_option(const std::string& word) {
    const std::string name = word.substr(0, word.find('='));
    std::string meant;
    int beginning_with = 0;
    for (const Option option : all_options) {
        if (name.size() > 2 && name_of(option).name.starts_with(name)) {
            meant = long_name(option);
            ++beginning_with;
        }
    }
    return "unknown option " + name + (beginning_with == 1 ? "; did you mean " + meant + "?" : "");
}

// The names --units takes.
std::string units_names() { return std::string(tonne_labels.option).append(" or ").append(si_labels.option); }

// The names --angles takes.
std::string angles_names() {
    return std::string(chart_angles_option).append(" or ").append(confirmed_angles_option);
}

// An option last on the line, with nothing after it: what it needs.
std::string value_missing(Option option) {
    const OptionName named = name_of(option);
    if (option == Option::units) {
        return long_name(option) + " needs the name of the units: " + units_names();
    }
    if (option == Option::angles) {
        return long_name(option) + " needs the name of the angles the result file holds: " + angles_names();
    }
    return long_name(option) + " needs a file name: " + std::string(named.letter) + " " +
           std::string(named.takes);
}

// What is wrong with the options themselves; empty for a fault of the values or files.
std::string option_fault(const UsageError& error) {
    switch (error.fault) {
        case UsageFault::unknown_option:
            return unknown_option(error.typed);
        case UsageFault::value_read_as_option:
            return error.typed + ": write a negative value below 1 as -0" + error.typed.substr(1) +
                   ", or put -- before the values";
        case UsageFault::flag_with_a_value:
            return error.typed + " takes no value: write it alone";
        case UsageFault::value_missing:
            return value_missing(error.option);
        case UsageFault::given_twice:
            return long_name(error.option) + " is given twice: give it once";
        case UsageFault::not_with_check:
            return long_name(error.option) + " cannot go with " + long_name(error.mode) +
                   ", which writes no file: its answers go to standard output";
        case UsageFault::checks_together:
            return long_name(Option::check) + " cannot go with " + long_name(Option::bishop) +
                   ": each answers the slopes its own way; give one of them";
        case UsageFault::unknown_units:
            return long_name(Option::units) + ": '" + error.typed + "' names no units: give " + units_names();
        case UsageFault::unknown_angles:
            return long_name(Option::angles) + ": '" + error.typed + "' names no angles: give " +
                   angles_names();
        default:
            return {};
    }
}

// The name of the i-th value after --check: PHI, C, D, then H and ANGLE for the first
// slope, H2 and ANGLE2 for the second, and so on.
std::string check_value_name(std::size_t i) {
    if (i < 3) {
        return std::string(value_names.at(i));
    }
    const std::size_t slope = (i - 3) / 2 + 1;
    return std::string((i - 3) % 2 == 0 ? "H" : "ANGLE") + (slope > 1 ? std::to_string(slope) : "");
}

// The value that leaves a slope without an answer, and why, without the sentence's full
// stop: the pointer to --help follows.
std::string no_slope(const UsageError& error) {
    return check_value_name(error.position) + ": " + render(*error.why);
}

std::string six_values() {
    std::string names;
    for (const std::string_view name : value_names) {
        names.append(names.empty() ? "" : " ").append(name);
    }
    return names;
}

// What is wrong with the values given.
std::string value_fault(const UsageError& error) {
    const std::string refused = ": '" + error.typed + "' " + std::string(refusal_reason(error.refusal));
    switch (error.fault) {
        case UsageFault::check_values_count:
            return long_name(error.mode) + ": " + std::to_string(error.count) +
                   " values given; give PHI C D, then H ANGLE for each slope";
        case UsageFault::too_few_values:
        case UsageFault::too_many_values:
            return std::string(error.fault == UsageFault::too_few_values ? "too few" : "too many") +
                   " values: " + std::to_string(error.count) + " given; give the six values " + six_values() +
                   ", or none to be asked";
        case UsageFault::value_refused:
            return std::string(value_names.at(error.position)) + refused;
        case UsageFault::check_value_refused:
            return check_value_name(error.position) + refused;
        case UsageFault::describes_no_slope:
        case UsageFault::no_slope_for_bishop:
            return no_slope(error);
        default:
            return {};
    }
}

// What is wrong with the files named.
std::string file_fault(const UsageError& error) {
    const std::string output = long_name(Option::output);
    switch (error.fault) {
        case UsageFault::file_name_empty:
            return output + ": the file name is empty";
        case UsageFault::names_a_folder:
            return output + ": '" + error.typed + "' names a folder, not a file";
        case UsageFault::workbook_name: {
            // The name the text would take, and the workbook keep, with -w: .xlsx made .xls.
            const std::string text = error.typed.substr(0, error.typed.size() - 5) + ".xls";
            return output + ": " + text_under_a_workbook_name(error.typed) + ": " +
                   std::string(name_of(Option::workbook).letter) + " " +
                   std::string(name_of(Option::output).letter) + " " + text + " writes " + text +
                   " and the workbook beside it";
        }
        case UsageFault::workbook_to_standard_output:
            return long_name(Option::workbook) + " cannot go with " + output + " " + error.typed +
                   ": standard output takes the result file only";
        default:
            return "the command line cannot be read";
    }
}

}  // namespace

std::string usage_line(const UsageError& error) {
    std::string what = option_fault(error);
    if (what.empty()) {
        what = value_fault(error);
    }
    if (what.empty()) {
        what = file_fault(error);
    }
    for (char& c : what) {
        c = static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '?' : c;
    }
    return what + " (see zelm-fs --help)";
}

}  // namespace zelm
