// The words of the answers to slopes that stand: the check's line, Bishop's line, their
// refusals and cautions, and what a workbook says of its Bishop cells.
#include "messages/templates.hpp"

#include <array>

namespace zelm {
namespace {

constexpr auto templates = std::to_array<Template>({
    {Said::full_stop, "{clause}."},
    {Said::slope_answered, "H {height} m at {angle} degrees: {answer}"},
    {Said::cautions, "{cautions?; {cautions}|}"},
    {Said::expected_to_fail, "below 1, the slope is expected to fail"},
    {Said::reaching_one_untold, "whether it reaches 1 the chart cannot tell"},
    {Said::range_holds_one, "the range holds 1, and the slope may fail"},
    {Said::rows_cross,
     "{chart}'s rows cross here: a design run prints {least}{steeper? or steeper|} up to FS {fs}"},
    {Said::steeper_than_chart, "the slope is steeper than even the chart's smallest factor of safety allows"},
    {Said::no_steeper_than_chart, "the slope is no steeper than the chart's largest factor of safety allows"},
    {Said::chart_answer, "{statement} ({chart}, x = {x}{beyond?: {beyond}|}){cautions}"},
    {Said::dry_slope_answer,
     "FS {exact} (exact for a dry slope with no cohesion, tan(phi)/tan(angle), rounded down; {chart} gives "
     "{statement}, x = {x}{beyond?: {beyond}|}){cautions}"},
    {Said::friction_angle_too_small,
     "{field} {value} is too small: the factors of safety {chart} tells apart for it need more than "
     "{decimals} decimals"},
    {Said::bishop_circle,
     "FS {fs} (Bishop's method{under?, {under}|}; critical circle, in m from the toe: centre x = {centre_x}, "
     "y = {centre_y}, "
     "radius {radius}, entering the crest at x = {entry_x}, leaving the ground at x = "
     "{exit_x}){cautions}{critical}"},
    {Said::bishop_shallow_slide,
     "FS {fs} (Bishop's method{under?, {under}|}; with no cohesion the critical slip is a shallow slide "
     "parallel to the face, the infinite slope's {under?under these "
     "conditions|tan(phi)/tan(angle)}){cautions}{critical}"},
    {Said::ratio_condition, "pore pressure ru {ru}"},
    {Said::water_table_condition,
     "a water table reaching the ground {distance}{heights? heights| m} behind the toe"},
    {Said::saturated_condition, "saturated to the ground surface"},
    {Said::crack_condition,
     "a tension crack {depth?{depth} m deep|as deep as the soil under the crest is in tension}{filled?, full "
     "of "
     "water|}"},
    {Said::seismic_condition, "seismic coefficient kh {kh}"},
    {Said::critical_kh, "; FS falls to 1 at kh = {kh}, the critical seismic coefficient"},
    {Said::no_critical_kh_fails, "; no critical seismic coefficient: FS is below 1 without an earthquake"},
    {Said::no_critical_kh_above, "; FS stays above 1 up to kh = {kh}"},
    {Said::tension_under_crest,
     "the slices under the crest are in tension down to {depth} m below it: a tension crack there would "
     "lower this FS"},
    {Said::no_strength, "the cohesion and the friction angle are both 0: nothing resists the slope's weight"},
    {Said::cohesion_beyond_measure, "{field} {value} is beyond measure against {weight} times the height"},
    {Said::bishop_does_not_apply, "Bishop's method does not apply: {failure}"},
    {Said::small_m_alpha,
     "m_alpha falls {m_alpha?to {m_alpha}, below 0.2,|below 0.2} on a slice of the critical circle whose "
     "base rises toward the toe, where the normal force and the resistance with it grow out of measure"},
    {Said::not_settled, "the factor of safety of the critical circle does not settle"},
    {Said::no_slip_circle,
     "no circle that enters the crest and leaves the ground at the toe or beyond it has a factor of safety"},
    {Said::bishop_empty_at_height, "Bishop's columns are empty at {rows}, where the height is not above 0."},
    {Said::bishop_fs_empty_at_angle,
     "the Bishop FS is empty at {rows}, where the angle printed is not above 0."},
    {Said::bishop_columns_empty, "Bishop's columns are empty: {reason}."},
    {Said::bishop_empty_under_crack,
     "Bishop's columns are empty at {rows}, where the tension crack, {depth} m deep, reaches the toe: a "
     "slope "
     "no higher than the crack is deep leaves no circle to end at its bottom."},
    {Said::bishop_fs_empty, "the Bishop FS is empty at {rows}, where for the angle printed {reason}."},
    {Said::bishop_none_reaches,
     "not even a slope of 1 degree reaches FS {fs} by Bishop's method at {rows}: those Bishop angle cells "
     "are empty."},
    {Said::bishop_in_tension,
     "Bishop's FS lets the soil under the crest hold tension in {count} {count|row|rows}, {rows}: a tension "
     "crack there would lower it, and the Bishop angle with it."},
    {Said::bishop_angle_column_empty,
     "the Bishop angle column is empty: the factor of safety {fs} is not above 0."},
    // The workbook's lines on its columns of the probability of failure, after a label
    // and a number: a value's standard deviation and how it is drawn, the draws.
    {Said::study_spread,
     "{unit}: {field} {known?known, the {mean} entered|drawn {lognormal?lognormal|normal}, its mean the "
     "{mean} entered{redrawn?, a draw below 0 drawn again|}}"},
    {Said::study_draws, "drawn from seed {seed}, the same draws at every row"},
    {Said::study_probability,
     "the share of the draws whose FS by Bishop's method, on the row's printed slope, is below 1"},
    {Said::study_upper,
     "its upper 95% bound (Wilson's), a draw without a factor of safety counted as failing"},
});

}  // namespace

std::span<const Template> answer_templates() { return templates; }

}  // namespace zelm
