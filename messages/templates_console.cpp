// The words of the command line's usage errors, the dialogue's refused entries and its
// end, the stops and a long run's progress.
#include "messages/templates.hpp"

#include <array>

namespace zelm {
namespace {

constexpr auto templates = std::to_array<Template>({
    // A wrong command line: the option or the value, then what is wrong with it.
    {Said::usage_unknown_option, "unknown option {option}{meant?; did you mean {meant}?|}"},
    {Said::usage_value_read_as_option,
     "{typed}: write a negative value below 1 as {written}, or put -- before the values"},
    {Said::usage_flag_with_a_value, "{flag} takes no value: write it alone"},
    {Said::usage_file_name_missing, "--output needs a file name: -o FILE"},
    {Said::usage_units_name_missing, "--units needs the name of the units: tonnes or si"},
    {Said::usage_angles_name_missing,
     "--angles needs the name of the angles the result file holds: chart, confirmed or bishop"},
    {Said::usage_given_twice, "{option} is given twice: give it once"},
    {Said::usage_not_with_check,
     "{option} cannot go with {mode}, which writes no file: its answers go to standard output"},
    {Said::usage_checks_together,
     "--check cannot go with --bishop: each answers the slopes its own way; give one of them"},
    {Said::usage_unknown_units, "--units: '{typed}' names no units: give tonnes or si"},
    {Said::usage_unknown_angles, "--angles: '{typed}' names no angles: give chart, confirmed or bishop"},
    {Said::usage_check_values_count,
     "{mode}: {count} values given; give PHI C D, then H ANGLE for each slope"},
    {Said::usage_too_few_values,
     "too few values: {count} given; give the six values PHI C D H STEP FS, or none to be asked"},
    {Said::usage_too_many_values,
     "too many values: {count} given; give the six values PHI C D H STEP FS, or none to be asked"},
    {Said::usage_value_refused, "{name}: '{typed}' {reason}"},
    {Said::usage_file_name_empty, "--output: the file name is empty"},
    {Said::usage_names_a_folder, "--output: '{typed}' names a folder, not a file"},
    {Said::usage_workbook_name,
     "--output: '{typed}' is a workbook's name, and the result file is tab-separated text: -w -o {text} "
     "writes {text} and the workbook beside it"},
    {Said::usage_workbook_to_standard_output,
     "--workbook cannot go with --output {typed}: standard output takes the result file only"},
    {Said::usage_unreadable, "the command line cannot be read"},
    {Said::usage_value_missing, "{option} needs a value: {option} {takes}"},
    {Said::usage_condition_refused, "{option}: {why}"},
    {Said::usage_unknown_water,
     "{option}: '{typed}' is no water table: give its distance behind the toe in m, a multiple of the height "
     "such as 4H, or surface"},
    {Said::usage_water_twice, "{ru} cannot go with {water}: give the pore water one way"},
    {Said::usage_wet_crack_alone, "{wet_crack} needs {crack}: the crack's depth in m, or auto"},
    {Said::usage_condition_with_chart,
     "{option} goes with --bishop{check?: --check answers by chart 1, the chart of a drained slope that "
     "stands "
     "still|}"},
    // The material's uncertainty: the columns it asks for are the workbook's.
    {Said::usage_study_needs_workbook,
     "{option} goes with -w: the probability of failure is told in the workbook's columns"},
    {Said::usage_study_option_alone,
     "{option} goes with --phi-sd or --c-sd, which ask for the probability of failure"},
    {Said::usage_sd_below_zero, "{option}: the standard deviation {value} is below 0"},
    {Said::usage_not_a_whole_number, "{option}: '{typed}' is not a whole number from {lowest} to {highest}"},

    // Why an entry is refused, after its name or its text.
    {Said::refused_not_a_number,
     "is not a number{comma?, such as 2.5 or 2,5| written with a decimal point, such as 2.5}"},
    {Said::refused_decimal_comma, "is written with a decimal comma: write it with a point, as in 2.5"},
    {Said::refused_too_large, "is too large: a value lies between -3.4e38 and 3.4e38"},
    {Said::refused_too_small, "is too close to 0 to be held: write 0 or a larger value"},

    // The dialogue: a refused entry, with the values taken before it on its line; the
    // text typed after the sixth value.
    {Said::entry_refused,
     "The entry '{typed}' {reason}.{values? The {values} before it on its line {count|was|were} taken as "
     "{names}.|}{rest? The rest of its line was ignored.|}"},
    {Said::entry_listed, "{item}"},
    {Said::left_over, "the text '{text}{cut?...|}' after the sixth value was ignored."},

    // A stop, and whether the file being written went with it.
    {Said::stopped,
     "stopped {by}{removed?; the file being written was removed, and any earlier one is unchanged.|.}"},
    {Said::stop_by_sigint, "by SIGINT"},
    {Said::stop_by_sigterm, "by SIGTERM"},
    {Said::stop_by_sighup, "by SIGHUP"},
    {Said::stop_by_ctrl_c, "by Ctrl-C"},
    {Said::stop_by_ctrl_break, "by Ctrl-Break"},
    {Said::stop_as_the_console_closed, "as the console closed"},

    // A long run's progress: the rows done, and once there is a rate, the time left at it.
    {Said::progress, "{workbook?workbook: |}{done} of {total} rows{rate?, {rate}, {left} left|}"},
    {Said::progress_rate, "{millions?{millions} M|{rows}} rows/s"},
    {Said::progress_time_left, "{hours?{hours} h {minutes} min|{minutes?{minutes} min |}{seconds} s}"},
});

}  // namespace

std::span<const Template> console_templates() { return templates; }

}  // namespace zelm
