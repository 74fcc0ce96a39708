// The words of what a design run finds (sweep/findings.hpp), of the rules its values
// break (entries/rules.hpp), and of the check's statement of a factor of safety.
#include "messages/templates.hpp"

#include <array>

namespace zelm {
namespace {

constexpr auto rules = std::to_array<Template>({
    {Said::not_finite, "{field} {value} is not a finite number"},
    {Said::not_above, "{field} {value} is not above {lowest}{field.unit}"},
    {Said::below, "{field} {value} is below {lowest}{field.unit}"},
    {Said::not_between, "{field} {value} is not between {lowest} and {highest}{field.unit}"},
    {Said::not_in_half_open, "{field} {value} is not at least {lowest} and below {highest}{field.unit}"},
    {Said::above_vertical, "{field} {value} is above {highest}{field.unit}: a slope stands at most vertical"},
});

constexpr auto findings = std::to_array<Template>({
    {Said::value_without_meaning, "{clause}; the angles written describe no real slope."},
    {Said::unit_weight_far_below,
     "{field} {value} {unit} is far below any soil's ({lowest} to {highest} {unit}){meant?; {value} {meant} "
     "is "
     "{converted} {unit}|}."},
    {Said::unit_weight_far_above,
     "{field} {value} {unit} is far above any soil's or rock's ({lowest} to {highest} {unit}){meant?; "
     "{value} "
     "{meant} is {converted} {unit}|}."},
    {Said::unit_weight_outside_both,
     "the density {value} lies outside what soils and rocks weigh in either units ({tonnes_lowest} to "
     "{tonnes_highest} {tonnes_unit}, {si_lowest} to {si_highest} {si_unit})."},
    {Said::fs_below_one,
     "the factor of safety {fs} is below 1: the angles written are those of slopes expected to fail."},
    {Said::no_rows_zero_step, "no rows were written: the step is 0."},
    {Said::no_rows_zero_height, "no rows were written: the height of the talus is 0."},
    {Said::no_rows_opposite_signs,
     "no rows were written: the height of the talus {height} and the step {step} have opposite signs."},
    {Said::no_rows_height_below_step,
     "no rows were written: the height of the talus {height} is below the step {step}."},
    {Said::no_rows_too_many,
     "no rows were written: {height} / {step} is more rows than a run can count (2147483647); a larger step "
     "gives "
     "fewer."},
    {Said::heights_below_zero,
     "the heights are below 0 (the height of the talus {height} and the step {step} are both negative); the "
     "angles "
     "written describe no real slope."},
    {Said::confirmed_angles_written,
     "the result file's angle column holds the confirmed angles, each the steepest whole degree whose check "
     "by "
     "{chart} reaches FS {fs}, in place of the chart's angle rounded to a whole degree."},
    {Said::bishop_angles_written,
     "the result file's angle column holds Bishop's angles, each the steepest whole degree whose factor of "
     "safety by Bishop's method reaches FS {fs}{under? under {under}|}, in place of {chart}'s angle rounded "
     "to "
     "a whole degree."},
    {Said::no_angle_friction_angle,
     "{chart} has no slope angle for a friction angle of {phi} degrees; those angle cells are empty."},
    {Said::no_angle_security_factor,
     "{chart} has no slope angle for a factor of safety of {fs}, which must be above 0; those angle cells "
     "are empty."},
    {Said::no_angle_not_confirmed,
     "{chart} reads less than a whole degree at {rows}, and confirms no angle there; those angle cells are "
     "empty."},
    {Said::no_angle_y_not_a_number,
     "{chart} has no slope angle where y = C'/(d*H*tan(phi)) is not a number (0/0: a cohesion and a density "
     "of 0); "
     "those angle cells are empty."},
    {Said::no_angle_vertical_only,
     "{chart} holds only the vertical slope at x = tan(phi)/FS = {x} (x from {first} to {last} has an angle "
     "for "
     "every y): 90 where y = C'/(d*H*tan(phi)) is at or beyond {threshold}{y?, and y = {y} "
     "here.|{confirmed?, and "
     "confirms no angle there: every angle cell is empty.|{vertical?, at {vertical}; the angle cells of "
     "{empty}, "
     "below it, are empty.|, which no height reaches; every angle cell is empty.}}}{way}"},
    {Said::no_angle_off_the_chart,
     "{chart} has no slope angle for x = tan(phi)/FS = {x}, {below?below|above} the {first} to {last} it "
     "gives "
     "angles for{y?.|; those angle cells are empty.}{way}"},
    {Said::way_none,
     " For a friction angle of {phi} degrees {chart} answers no factor of safety; another method is needed."},
    {Said::way_below,
     " For a friction angle of {phi} degrees {chart} answers factors of safety up to {highest}: it does not "
     "cover "
     "this material at FS {fs}, and another method is needed."},
    {Said::way_above,
     " A larger FS, on the safe side, brings x within {first} to {last}: FS {lowest} to {highest} for a "
     "friction "
     "angle of {phi} degrees."},
    {Said::steeper_than_exact,
     "with no cohesion a dry slope stands at exactly atan(tan(phi)/FS) = {exact} degrees at every height; "
     "{chart}'s "
     "{angle} is steeper, on the unsafe side."},
    {Said::printed_checks_short,
     "the angles printed check more than {margin}% below the FS {fs} asked{below_chart?, or below the "
     "smallest FS "
     "{chart} answers,|} at {runs}{more?; and {more} more rows up to {last}|}. The file prints the chart's "
     "angle "
     "rounded to a whole degree{cross?, and where {chart}'s rows cross a row of a smaller FS reads less|}; "
     "the "
     "confirmed angle is the steepest whole degree whose check reaches FS {fs}."},
    {Said::printed_check_run,
     "{rows}: {printed} checks at {statement}{cross? where {chart}'s rows cross|}, {confirmed} is confirmed"},
    {Said::last_row_at,
     "the last row is at H = {last}{same?, the|{above?, above the|, short of the}} talus height {talus}: "},
    {Said::talus_stops_growing,
     "{row}from row {reached} on, a step of {step} no longer adds to the height in single precision, and "
     "{repeated|the row after it repeats it|the {repeated} rows after it repeat it}."},
    {Said::talus_not_divided, "{row}the step {step} does not divide it."},
    {Said::talus_not_exact,
     "{row}the step {step} is not exact in single precision, and the heights are sums of it; a step that is "
     "a "
     "binary fraction, such as 0.125, 0.25 or 0.5, adds up exactly."},
    {Said::chart_drained_and_still,
     "{chart} is the chart of a drained slope that stands still: its angles leave out {conditions}; Bishop's "
     "FS and angle in the workbook's columns are those under them."},
    {Said::header_rounds,
     "the result file's header shows the values with one decimal, as its format has them: {values}; the "
     "workbook "
     "holds them as typed."},
    {Said::header_value_shown, "{fs?FS|{field}} {typed} as {shown}"},
    {Said::fs_range, "FS {lowest}{highest? to {highest}|}"},
    {Said::fs_below, "FS below {lowest}"},
    {Said::fs_above, "FS above {highest}"},
});

}  // namespace

std::span<const Template> rule_templates() { return rules; }
std::span<const Template> finding_templates() { return findings; }

}  // namespace zelm
