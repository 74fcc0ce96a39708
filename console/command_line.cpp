#include "console/command_line.hpp"

#include "messages/help.hpp"
#include "messages/options.hpp"
#include "numbers/reading.hpp"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <array>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>

namespace zelm {
namespace {

// The names CLI11 declares an option under: "-o,--output", or "--check".
std::string declared_name(Option option) {
    const OptionName named = name_of(option);
    std::string names(named.letter);
    return names.append(names.empty() ? "" : ",").append(named.name);
}

// The help in CLI11's layout, with the program's usage lines and its six values, which
// the parser takes as one list of words.
class Formatter : public CLI::Formatter {
  public:
    std::string make_usage(const CLI::App*, std::string) const override { return std::string(usage_lines); }

    std::string make_positionals(const CLI::App*) const override {
        std::ostringstream lines;
        lines << '\n' << values_heading << ":\n";
        for (std::size_t i = 0; i < value_names.size(); ++i) {
            CLI::detail::format_help(lines, std::string(value_names[i]), std::string(values_described.at(i)),
                                     column_width_);
        }
        return lines.str();
    }
};

// Where the notices of the code of others are: where this build's package installs
// them (ZELM_NOTICES), or, for the program run in the folder it was built in, the
// build's own copy (ZELM_BUILT_NOTICES), which the installed place is not yet.
std::string notices_named() {
#if defined(__linux__) && defined(ZELM_BUILT_NOTICES) && defined(ZELM_BUILD_FOLDER)
    std::error_code unknown;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", unknown);
    if (!unknown && program.parent_path() == std::filesystem::path(ZELM_BUILD_FOLDER) &&
        std::filesystem::exists(ZELM_BUILT_NOTICES, unknown)) {
        return notices_of_this_build(ZELM_BUILT_NOTICES, ZELM_NOTICES);
    }
#endif
    return ZELM_NOTICES;
}

// An option declared, and what the parser counted of it.
struct Declared {
    Option option;
    const CLI::Option* parsed;
};
using Declarations = std::array<Declared, 16>;

// The options, into `line`: each may be given once, and a flag takes no value. Every
// other word, -- and those after it included, is one of the values, read later.
Declarations declare(CLI::App& app, CommandLine& line) {
    app.formatter(std::make_shared<Formatter>());
    app.get_formatter()->column_width(21);
    app.footer(help_footer());
    app.set_help_flag(declared_name(Option::help), std::string(name_of(Option::help).does))
        ->disable_flag_override();
    app.set_version_flag(
           declared_name(Option::version), [] { return version_text(ZELM_VERSION, notices_named()); },
           std::string(name_of(Option::version).does))
        ->disable_flag_override();
    app.add_option("values", line.values);
    const auto value = [&app](Option option, std::optional<std::string>& given) {
        return app.add_option(declared_name(option), given, std::string(name_of(option).does))
            ->type_name(std::string(name_of(option).takes))
            ->multi_option_policy(CLI::MultiOptionPolicy::Throw);
    };
    const auto flag = [&app](Option option, bool& given) {
        return app.add_flag(declared_name(option), given, std::string(name_of(option).does))
            ->disable_flag_override()
            ->multi_option_policy(CLI::MultiOptionPolicy::Throw);
    };
    return {{{Option::output, value(Option::output, line.output)},
             {Option::workbook, flag(Option::workbook, line.workbook)},
             {Option::units, value(Option::units, line.units)},
             {Option::angles, value(Option::angles, line.angles)},
             {Option::check, flag(Option::check, line.check)},
             {Option::bishop, flag(Option::bishop, line.bishop)},
             {Option::ru, value(Option::ru, line.ru)},
             {Option::water, value(Option::water, line.water)},
             {Option::crack, value(Option::crack, line.crack)},
             {Option::wet_crack, flag(Option::wet_crack, line.wet_crack)},
             {Option::kh, value(Option::kh, line.kh)},
             {Option::critical_kh, flag(Option::critical_kh, line.critical_kh)},
             {Option::phi_sd, value(Option::phi_sd, line.phi_sd)},
             {Option::c_sd, value(Option::c_sd, line.c_sd)},
             {Option::draws, value(Option::draws, line.draws)},
             {Option::seed, value(Option::seed, line.seed)}}};
}

// A condition's option given without its value.
UsageError value_missing(Option option) {
    return usage_error(Said::usage_value_missing,
                       {{"option", long_name(option)}, {"takes", Text{std::string(name_of(option).takes)}}});
}

// CLI11 reads a long option written with '=' and nothing after it (--output=) as if its
// value were the next word; its value is empty, as with -o "".
std::optional<UsageError> value_left_empty(const std::vector<std::string>& words) {
    for (const std::string& word : words) {
        if (word == "--") {
            break;
        }
        const auto option = word.starts_with("--") && word.ends_with('=')
                                ? option_named(std::string_view(word).substr(0, word.size() - 1))
                                : std::nullopt;
        if (option == Option::output) {
            return usage_error(Said::usage_file_name_empty);
        }
        if (option == Option::units || option == Option::angles) {
            return usage_error(
                option == Option::units ? Said::usage_unknown_units : Said::usage_unknown_angles,
                {{"typed", Text{}}});
        }
        if (option && !name_of(*option).takes.empty()) {  // --ru=, --water=, --crack=, --kh=
            return value_missing(*option);
        }
    }
    return std::nullopt;
}

// An option the program does not know, named up to any '=', and the one long option
// whose name begins with it, if there is just one.
UsageError unknown_option(const std::string& word) {
    const std::string name = word.substr(0, word.find('='));
    std::vector<Option> beginning_with;
    for (const Option option : all_options) {
        if (name.size() > 2 && name_of(option).name.starts_with(name)) {
            beginning_with.push_back(option);
        }
    }
    std::vector<Arg> args{{"option", Text{name}}};
    if (beginning_with.size() == 1) {
        args.push_back({"meant", long_name(beginning_with.front())});
    }
    return usage_error(Said::usage_unknown_option, std::move(args));
}

// A word the parser took for an option it does not know: the value of a short flag (it
// splits -w=1 into -w and -=1), a negative value below 1 (-.5), or an unknown option.
UsageError not_an_option(const std::string& extra, const std::vector<std::string>& words) {
    for (const std::string& word : words) {
        // The word it came from, -w=1: the flag is the letter before the value.
        if (extra.starts_with("-=") && !word.starts_with("--") && word.size() > extra.size() &&
            word.ends_with(std::string_view(extra).substr(1))) {
            return usage_error(Said::usage_flag_with_a_value,
                               {{"flag", Text{{'-', word[word.size() - extra.size()]}}}});
        }
    }
    if (read_entry(extra).value) {  // -.5, to be written -0.5
        return usage_error(Said::usage_value_read_as_option,
                           {{"typed", Text{extra}}, {"written", Text{"-0" + extra.substr(1)}}});
    }
    return unknown_option(extra);
}

// An option given twice, a flag given a value (--workbook=no), or an option whose value
// is missing (-o last, or the last of a group of letters such as -wo): the parser stopped
// at the word, or at the end.
UsageError mismatched(const Declarations& declared, const std::string& stopped_at) {
    for (const Declared& option : declared) {
        if (option.parsed->count() > 1) {
            return usage_error(Said::usage_given_twice, {{"option", long_name(option.option)}});
        }
    }
    const auto equals = stopped_at.find('=');
    if (equals != std::string::npos) {
        return usage_error(Said::usage_flag_with_a_value, {{"flag", Text{stopped_at.substr(0, equals)}}});
    }
    const auto option = stopped_at.starts_with("--") || stopped_at.empty()
                            ? option_named(stopped_at)
                            : option_named(std::string{'-', stopped_at.back()});
    if (!option) {
        return UsageError{};
    }
    if (*option != Option::output && *option != Option::units && *option != Option::angles) {
        return value_missing(*option);
    }
    return usage_error(*option == Option::units    ? Said::usage_units_name_missing
                       : *option == Option::angles ? Said::usage_angles_name_missing
                                                   : Said::usage_file_name_missing,
                       {{"option", long_name(*option)}});
}

}  // namespace

std::variant<CommandLine, Shown, UsageError> parse_command_line(const std::vector<std::string>& words) {
    if (auto empty = value_left_empty(words)) {
        return *std::move(empty);
    }
    CommandLine line;
    CLI::App app(std::string(help_description), "zelm-fs");
    const Declarations declared = declare(app, line);
    std::vector<std::string> unparsed(words.rbegin(), words.rend());  // CLI11 takes the last first
    try {
        app.parse(unparsed);
    } catch (const CLI::CallForHelp&) {
        return Shown{app.help()};
    } catch (const CLI::CallForVersion& version) {
        return Shown{version.what()};
    } catch (const CLI::ExtrasError&) {
        const auto extras = app.remaining();  // with the mark --, which ends the options, if given
        return not_an_option(
            *std::find_if(extras.begin(), extras.end(), [](const auto& w) { return w != "--"; }), words);
    } catch (const CLI::ArgumentMismatch&) {
        const std::size_t left = unparsed.size();
        return mismatched(declared, left < words.size() ? words[words.size() - 1 - left] : std::string());
    } catch (const CLI::ParseError&) {
        return UsageError{};
    }
    return line;
}

}  // namespace zelm
