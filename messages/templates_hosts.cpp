// The words the page and the Python module say of their own: Python's warning of a call
// over arrays and its refusals, and the page's status line, forms, captions and curves.
#include "messages/templates.hpp"

#include <array>

namespace zelm {
namespace {

constexpr auto templates = std::to_array<Template>({
    // Python. A call over arrays counts the elements of each kind among all of them, and
    // names the first by its argument and index ("phi[3]"), or by its place in the
    // broadcast shape ("element [0, 2]"); {told} is what the kind's elements are, in the
    // kind's own template, and {why} the first one's sentence.
    {Said::python_elements_told,
     "{count} of {elements} {elements|element|elements} {told}{count||; the first}{first? ({first})|}: "
     "{why}{ended?|.}"},
    {Said::python_no_slope,
     "{count|describes|describe} no slope {chart} can be read for, and {count|is|are} NaN"},
    {Said::python_no_slope_at_both_ends,
     "{count|describes|describe} no slope {chart} can be read for, and {count|is|are} NaN at both ends"},
    {Said::python_no_slope_angle, "{count|has|have} no slope angle on {chart}, and {count|is|are} NaN"},
    {Said::python_no_confirmed_angle,
     "{count|has|have} no confirmed angle on {chart}, and {count|is|are} NaN"},
    {Said::python_beyond_the_chart, "{count|lies|lie} beyond {chart}, and {count|is|are} NaN at one end"},
    {Said::python_no_bishop_slope, "{count|describes|describe} no slope, and {count|is|are} NaN"},
    {Said::python_bishop_fails,
     "{count|has|have} no factor of safety by Bishop's method, and {count|is|are} NaN"},
    {Said::python_no_bishop_angle,
     "{count|has|have} no whole degree whose factor of safety by Bishop's method reaches fs, and "
     "{count|is|are} "
     "NaN"},
    {Said::python_none_reaches, "not even a slope of 1 degree reaches FS {fs} by Bishop's method"},
    {Said::python_fs_below_one, "{count|has|have} a factor of safety below 1"},
    {Said::python_fails_without_earthquake,
     "{count|has|have} a factor of safety below 1 without an earthquake, and no critical seismic "
     "coefficient: "
     "NaN"},
    {Said::python_fs_without_earthquake, "Bishop's factor of safety without an earthquake is {fs}"},
    {Said::python_unit_weight, "{count|weighs|weigh} what no soil or rock does"},
    {Said::python_element_at, "element [{index}]"},
    {Said::python_argument_refused, "{argument}: {shown} {reason}"},
    {Said::python_not_a_number, "{argument}: {dtype?an array of {dtype}|{shown}} is not a number"},
    {Said::python_argument, "{name}"},
    {Said::python_shapes_do_not_broadcast, "{arguments} do not broadcast together: shapes {shapes}"},
    {Said::python_too_many_dimensions, "the arrays have more dimensions than numpy gives an array"},
    {Said::python_value_beyond_a_float, "a value is one that a float cannot hold"},
    {Said::python_units_unknown,
     "units: {shown} names no units: give '{tonnes}' ({tonnes_stress}, {tonnes_weight}) or '{si}' "
     "({si_stress}, {si_weight})"},
    {Said::python_angles_unknown,
     "angles: {shown} names no angles: give '{chart}' (the chart's, rounded to whole degrees) or "
     "'{confirmed}' (the steepest whole degree whose check reaches FS); Bishop's angles at each height are "
     "bishop_angle(phi, cohesion, density, height, fs)'s"},
    {Said::python_sweep_beyond_memory,
     "the sweep has {rows} rows, whose arrays take {needed} GB, more than the {memory} GB of memory of this "
     "machine; a larger step gives fewer rows"},
    {Said::python_cannot_write, "cannot write {name}: {reason}"},
    {Said::python_text_to_standard_output,
     "path: '-' is the command line's name for standard output, not a file's name"},
    {Said::python_text_under_workbook_name, "path: {refusal}: write_workbook() writes the workbook"},
    {Said::python_method_unknown,
     "method: {shown} names no method: give 'bishop' (Bishop's method) or 'chart' (the chart's check)"},
    {Said::python_distribution_refused,
     "a distribution needs a finite mean and a finite standard deviation of at least 0, not {mean} and {sd}"},
    {Said::python_lognormal_mean, "a lognormal distribution needs a mean above 0, not {mean}"},
    {Said::python_draws_not_one_dimension,
     "{argument}: a number, a distribution or a 1-D array of draws, not an array of {dimensions} dimensions"},
    {Said::python_draws_differ, "the arrays of draws differ in length: {lengths}"},
    {Said::python_correlation_refused, "correlation: {shown} is not from -1 to 1"},
    {Said::python_correlation_of_distributions,
     "correlation: phi and the cohesion must both be distributions for their draws to be correlated"},
    {Said::python_mean_no_soil, "{argument}: the mean {shown} describes no soil"},
    {Said::python_target_refused, "target: {shown} is not a probability above 0 and below 1"},
    {Said::python_seed_refused, "seed: {shown} is not a whole number from 0 to 2**64 - 1"},
    {Said::python_draws_unanswered,
     "{count} of {draws} draws have no answer, and are NaN; the first block with any, draws {first} to "
     "{last}, says: {said}"},
    {Said::python_sweep_repr,
     "<zelm_fs.Sweep phi={phi} cohesion={cohesion} density={density} height={height} step={step} fs={fs} "
     "units='{units}': {rows} rows, {warnings} warnings>"},

    // The page. It writes the numbers it fills in as its table does: a count comes both
    // as {count}, which chooses the form, and as {counted}, the number written ("12 345").
    {Said::page_run_stopped,
     "The values have changed: the run under way was stopped; press Enter to compute."},
    {Said::page_result_out_of_date,
     "The values have changed: the result below is for the earlier ones, and its downloads are off until "
     "Enter computes again."},
    {Said::page_enter_a_value, "Enter a value."},
    {Said::page_entry_refused, "\u201c{typed}\u201d {reason}."},
    {Said::page_six_refused,
     "{counted} {count|value|values} of the six cannot be read, as marked beside {count|it|them}; nothing "
     "was computed{earlier}."},
    {Said::page_result_for_earlier, ", and the result below is for earlier values"},
    {Said::page_five_refused,
     "{counted} {count|value|values} of the five cannot be read, as marked beside {count|it|them}; nothing "
     "was checked{earlier}."},
    {Said::page_chart_for_earlier, ", and the chart below is for earlier values"},
    {Said::page_check_refused, "Nothing was checked{earlier}: {line}"},
    {Said::page_rows_caption,
     "The {counted} {count|row, as the result file holds it|rows, as the result file holds them}, with the "
     "confirmed angle"},
    {Said::page_ends_caption,
     "The first and last of the {counted} rows, as the result file holds them, with the confirmed angle"},
    {Said::page_rows_not_shown,
     "\u2026 {counted} {count|row|rows} not shown here; the downloads hold every row \u2026"},
    {Said::page_computing, "Computing: {done} of {counted} {count|row|rows}\u2026"},
    {Said::page_warning, "Warning: {line}"},
    {Said::page_rows_computed, "{counted} {count|row|rows} computed."},
    {Said::page_rows_computed_warned, "{counted} {count|row|rows} computed, with {warnings}: {lines}"},
    {Said::page_warnings, "{counted} {count|warning|warnings}"},
    {Said::page_check_caption,
     "The design angle at FS {fs} (degrees, as {chart} gives it) and the confirmed angle at that FS "
     "(dashed) against the height H (m), for this material; the point marks the slope, {height} m high at "
     "{angle} degrees."},
    {Said::page_design_curve, "design angle at FS {fs} (degrees)"},
    {Said::page_confirmed_curve, "confirmed angle at FS {fs} (degrees)"},
    {Said::page_slope_point, "the slope (degrees)"},
    {Said::page_bishop_line,
     "By Bishop's simplified method of slices: FS {fs}{under}, on the critical slip circle drawn "
     "below{cautions}."},
    {Said::page_under,
     " under {under} ({chart}'s answer above leaves them out: it is the chart of a drained slope that stands "
     "still)"},
    {Said::page_bishop_shallow,
     "By Bishop's simplified method of slices: FS {fs}; with no cohesion the critical slip is a shallow "
     "slide "
     "parallel to the face, drawn below, the infinite slope's tan(phi)/tan(angle){cautions}."},
    {Said::page_bishop_shallow_under,
     "By Bishop's simplified method of slices: FS {fs}{under}; with no cohesion the critical slip is a "
     "shallow "
     "slide parallel to the face, drawn below, the infinite slope's under these conditions{cautions}."},
    {Said::page_bishop_none, "Bishop's simplified method gives no factor of safety: {reason}"},
    {Said::page_section_title, "The slope's section and Bishop's critical slip circle"},
    {Said::page_section_caption,
     "The slope's section, {height} m high at {angle} degrees, and Bishop's critical slip circle, in m from "
     "the toe: centre at x = {centreX}, y = {centreY} (the dot), radius {radius}; it enters the crest at "
     "x = {entryX} and leaves the ground at x = {exitX}."},
    {Said::page_shallow_caption,
     "The slope's section, {height} m high at {angle} degrees, and Bishop's critical slip: with no "
     "cohesion, a shallow slide along the face, from the toe to the crest edge at x = {entryX} m."},
    {Said::page_check_out_of_date,
     "Out of date: the values have changed since the answer \u201c{line}\u201d. Press Enter, or Check, to "
     "check again."},
    {Said::page_making_text, "Making ZELM_FS_result.xls: {size} KiB\u2026"},
    {Said::page_text_ready, "ZELM_FS_result.xls is ready."},
    {Said::page_text_failed, "Cannot make ZELM_FS_result.xls: {error}"},
    {Said::page_making_workbook, "Making ZELM_FS_result.xlsx\u2026"},
    {Said::page_workbook_refused, "Cannot write ZELM_FS_result.xlsx: {reason}."},
    {Said::page_workbook_ready, "ZELM_FS_result.xlsx is ready."},
    {Said::page_workbook_failed, "Cannot make ZELM_FS_result.xlsx: {error}"},
    {Said::page_run_failed, "The run failed: {error}"},
    {Said::page_check_failed, "The check failed: {error}"},
    {Said::page_probability_line,
     "Probability of failure (FS below 1 by Bishop's method): {probability}%, 95% interval {lower}% to "
     "{upper}%, from {count} draws of phi normal (sd {phi_sd}) and C' {cohesion_spread} (sd {cohesion_sd}), "
     "seed {seed}; FS mean {mean}, sd {sd}, 5% to 95% {p5} to {p95}; reliability index {beta} (lognormal FS: "
     "{beta_lognormal}).{unanswered}"},
    {Said::page_probability_unanswered,
     " {count} {count|draw has|draws have} no answer, counted as standing for the interval's lower bound "
     "and as failing for its upper."},
    {Said::page_spread_refused, "{field}: {shown} is not a standard deviation, a number of 0 or more."},
    {Said::page_draws_refused,
     "Draws: {shown} is not a whole number from 100 to 20000 (the Python module takes more)."},
    {Said::page_seed_refused, "Seed: {shown} is not a whole number from 0 to 18446744073709551615."},
    {Said::page_histogram_caption,
     "The factor of safety by Bishop's method of the {count} {count|draw|draws} with one, in bins {width} "
     "wide; the bars left of FS 1, in red, are the draws that fail."},
    {Said::page_standing_draws, "Draws standing"},
    {Said::page_failing_draws, "Draws failing"},
    {Said::page_fs_axis, "Factor of safety by Bishop's method"},
    {Said::page_draws_axis, "Draws"},
    // A choice of units as the page's forms offer it.
    {Said::page_units_offered, "{stress}, {unit_weight}"},
});

}  // namespace

std::span<const Template> host_templates() { return templates; }

}  // namespace zelm
