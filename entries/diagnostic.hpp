// What the program has to tell, as data: which thing is said (an id), the entry it
// concerns, and the values that say it, each by the name its template gives it. The
// rooms that find something say nothing themselves; one table of templates with named
// slots and plural forms (messages/templates_*.cpp) makes the words, the same for the
// console, the page and Python, and a test can read the id and the values instead of
// the prose.
#pragma once

#include "entries/field.hpp"
#include "entries/rules.hpp"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace zelm {

// Every thing the program says, family by family; its words are in the template of the
// same name.
enum class Said : std::uint16_t {
    // A value that breaks its rule (entries/rules.hpp), by the rule's shape and the side
    // it is broken on.
    not_finite,
    not_above,
    below,
    not_between,
    not_in_half_open,
    above_vertical,
    // A design run's findings (sweep/findings.hpp).
    value_without_meaning,
    unit_weight_far_below,
    unit_weight_far_above,
    unit_weight_outside_both,
    fs_below_one,
    no_rows_zero_step,
    no_rows_zero_height,
    no_rows_opposite_signs,
    no_rows_height_below_step,
    no_rows_too_many,
    heights_below_zero,
    confirmed_angles_written,
    bishop_angles_written,
    no_angle_friction_angle,
    no_angle_security_factor,
    no_angle_not_confirmed,
    no_angle_y_not_a_number,
    no_angle_vertical_only,
    no_angle_off_the_chart,
    way_none,
    way_below,
    way_above,
    steeper_than_exact,
    printed_checks_short,
    printed_check_run,
    last_row_at,
    talus_stops_growing,
    talus_not_divided,
    talus_not_exact,
    header_rounds,
    chart_drained_and_still,
    header_value_shown,
    // The check's statement of a slope's factor of safety (sweep/check.hpp).
    fs_range,
    fs_below,
    fs_above,

    // The answers to slopes that stand: the check's line and Bishop's (templates_answers.cpp).
    full_stop,
    slope_answered,
    cautions,
    expected_to_fail,
    reaching_one_untold,
    range_holds_one,
    rows_cross,
    steeper_than_chart,
    no_steeper_than_chart,
    chart_answer,
    dry_slope_answer,
    friction_angle_too_small,
    bishop_circle,
    bishop_shallow_slide,
    ratio_condition,
    water_table_condition,
    saturated_condition,
    crack_condition,
    seismic_condition,
    critical_kh,
    no_critical_kh_fails,
    no_critical_kh_above,
    tension_under_crest,
    no_strength,
    cohesion_beyond_measure,
    bishop_does_not_apply,
    small_m_alpha,
    not_settled,
    no_slip_circle,
    bishop_empty_at_height,
    bishop_fs_empty_at_angle,
    bishop_columns_empty,
    bishop_empty_under_crack,
    bishop_fs_empty,
    bishop_none_reaches,
    bishop_in_tension,
    bishop_angle_column_empty,
    // The workbook's lines on its columns of the probability of failure.
    study_spread,
    study_draws,
    study_probability,
    study_upper,

    // The command line, the dialogue's entries and stops (templates_console.cpp).
    // A wrong command line (console/command_line.hpp, console/request.hpp).
    usage_unknown_option,
    usage_value_read_as_option,
    usage_flag_with_a_value,
    usage_file_name_missing,
    usage_units_name_missing,
    usage_angles_name_missing,
    usage_given_twice,
    usage_not_with_check,
    usage_checks_together,
    usage_unknown_units,
    usage_unknown_angles,
    usage_check_values_count,
    usage_too_few_values,
    usage_too_many_values,
    usage_value_refused,
    usage_file_name_empty,
    usage_names_a_folder,
    usage_workbook_name,
    usage_workbook_to_standard_output,
    usage_unreadable,
    // The conditions of a slope answered by Bishop's method (console/conditions.hpp).
    usage_value_missing,
    usage_condition_refused,
    usage_unknown_water,
    usage_water_twice,
    usage_wet_crack_alone,
    usage_condition_with_chart,
    // The material's uncertainty, for the workbook's probability of failure.
    usage_study_needs_workbook,
    usage_study_option_alone,
    usage_sd_below_zero,
    usage_not_a_whole_number,
    // Why a typed entry is no value (numbers/reading.hpp), the rest of a sentence.
    refused_not_a_number,
    refused_decimal_comma,
    refused_too_large,
    refused_too_small,
    // The dialogue's answer to a refused entry, and the text no prompt took.
    entry_refused,
    entry_listed,
    left_over,
    // A stop (console/stops.hpp), and what stopped the program.
    stopped,
    stop_by_sigint,
    stop_by_sigterm,
    stop_by_sighup,
    stop_by_ctrl_c,
    stop_by_ctrl_break,
    stop_as_the_console_closed,
    // A long run's progress (console/progress_line.hpp).
    progress,
    progress_rate,
    progress_time_left,

    // The files, written or not (templates_files.cpp).
    result_not_written,
    result_not_written_to_output,
    workbook_not_written,
    refused_before_asking,
    file_stopped,
    dialogue_unwritable,
    input_ended_early,
    answers_not_written,
    files_written,
    text_under_a_workbook_name,
    workbook_not_created,
    workbook_not_put_together,
    rows_beyond_a_sheet,
    sheet_beyond_size_limit,
    sheet_beyond_free_space,
    rows_beyond_size_limit,
    rows_beyond_free_space,

    // What the page and the Python module say of their own (templates_hosts.cpp).
    // Python: one kind of the elements a call over arrays leaves unanswered, or answers
    // with a warning, counted among all of them; what each kind is; the first, named by
    // its place in the broadcast shape.
    python_elements_told,
    python_no_slope,
    python_no_slope_at_both_ends,
    python_no_slope_angle,
    python_no_confirmed_angle,
    python_beyond_the_chart,
    python_no_bishop_slope,
    python_bishop_fails,
    python_no_bishop_angle,
    python_none_reaches,
    python_fs_below_one,
    python_fails_without_earthquake,
    python_fs_without_earthquake,
    python_unit_weight,
    python_element_at,
    // Python: arguments, runs and files refused.
    python_argument_refused,
    python_not_a_number,
    python_argument,
    python_shapes_do_not_broadcast,
    python_too_many_dimensions,
    python_value_beyond_a_float,
    python_units_unknown,
    python_angles_unknown,
    python_sweep_beyond_memory,
    python_cannot_write,
    python_text_to_standard_output,
    python_text_under_workbook_name,
    // Python: a study of the probability of failure refused.
    python_method_unknown,
    python_distribution_refused,
    python_lognormal_mean,
    python_draws_not_one_dimension,
    python_draws_differ,
    python_correlation_refused,
    python_correlation_of_distributions,
    python_mean_no_soil,
    python_target_refused,
    python_seed_refused,
    python_draws_unanswered,
    // Python: a run as it shows itself.
    python_sweep_repr,
    // The page: its status line, its forms' refusals, its captions and curves, its files.
    page_run_stopped,
    page_result_out_of_date,
    page_enter_a_value,
    page_entry_refused,
    page_six_refused,
    page_result_for_earlier,
    page_five_refused,
    page_chart_for_earlier,
    page_check_refused,
    page_rows_caption,
    page_ends_caption,
    page_rows_not_shown,
    page_computing,
    page_warning,
    page_rows_computed,
    page_rows_computed_warned,
    page_warnings,
    page_check_caption,
    page_design_curve,
    page_confirmed_curve,
    page_slope_point,
    page_bishop_line,
    page_bishop_shallow_under,
    page_under,
    page_bishop_shallow,
    page_bishop_none,
    page_section_title,
    page_section_caption,
    page_shallow_caption,
    page_check_out_of_date,
    page_making_text,
    page_text_ready,
    page_text_failed,
    page_making_workbook,
    page_workbook_refused,
    page_workbook_ready,
    page_workbook_failed,
    page_run_failed,
    page_check_failed,
    page_probability_line,
    page_probability_unanswered,
    page_spread_refused,
    page_draws_refused,
    page_seed_refused,
    page_histogram_caption,
    page_standing_draws,
    page_failing_draws,
    page_fs_axis,
    page_draws_axis,
    page_units_offered,

    said_count,  // not said: how many ids there are
};

struct Diagnostic;

// The values a template fills its slots with, each shown its own way.
struct Typed {  // a value as typed: its float's shortest decimal, "0.15", "1e-07"
    float value;
};
struct Fixed {  // a number to so many decimals, "0.38"
    double value;
    int decimals;
};
struct Count {  // a whole number, which also chooses a template's plural forms
    std::int64_t value;
};
struct Text {  // words or a name, as they are
    std::string value;
};
struct HeightCell {  // a height as the result file prints it, "9,90"
    float value;
};
struct HeightRange {  // rows' heights as the result file prints them, "H = 1,00 to 9,00"
    float first;
    float last;
};
struct Flag {  // chooses between a template's two forms
    bool value;
};
struct Named {  // an entry by its name, in the run's units: "the unit weight"
    Field field;
    Units units = Units::tonnes;
};
struct WeightUnit {  // the unit of a density in those units: "Tn/m3", "kN/m3"
    Units units;
};
struct Clauses {  // other diagnostics said one after the other: "a; b", or "a, b and c"
    std::vector<Diagnostic> items;
    std::string_view joint = "; ";
    std::string_view last_joint = "; ";  // before the last, where there are two or more
};

using Value =
    std::variant<Typed, Fixed, Count, Text, HeightCell, HeightRange, Flag, Named, WeightUnit, Clauses>;

struct Arg {
    std::string_view name;
    Value value;
};

struct Diagnostic {
    Said id;
    Field field = Field::none;  // the entry it concerns, where it concerns one
    std::vector<Arg> args{};

    // The value of the slot `name`, or nothing.
    const Value* arg(std::string_view name) const {
        for (const Arg& a : args) {
            if (a.name == name) {
                return &a.value;
            }
        }
        return nullptr;
    }
};

// A value that breaks its rule, as a diagnostic: "the density 0 is not above 0". Its id
// is the rule's shape on the side broken; its slots the entry (field), the value and
// the bounds (lowest, highest).
inline Diagnostic violation_said(const Violation& violation, Units units = Units::tonnes) {
    const Rule& rule = violation.rule;
    Said id = Said::not_finite;
    if (violation.broken != Broken::not_finite) {
        if (!rule.highest) {
            id = rule.lowest->inclusive ? Said::below : Said::not_above;
        } else if (!rule.lowest->inclusive && !rule.highest->inclusive) {
            id = Said::not_between;
        } else if (rule.lowest->inclusive) {
            id = Said::not_in_half_open;
        } else {
            id = violation.broken == Broken::below ? Said::not_above : Said::above_vertical;
        }
    }
    Diagnostic said{
        id,
        rule.field,
        {{"field", Named{rule.field, units}}, {"value", Typed{static_cast<float>(violation.value)}}}};
    if (rule.lowest) {
        said.args.push_back({"lowest", Typed{static_cast<float>(rule.lowest->value)}});
    }
    if (rule.highest) {
        said.args.push_back({"highest", Typed{static_cast<float>(rule.highest->value)}});
    }
    return said;
}

}  // namespace zelm
