// The words the page and the Python module say of their own: Python's warning of a call
// over arrays and its refusals.
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
    {Said::python_fs_below_one, "{count|has|have} a factor of safety below 1"},
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
     "'{confirmed}' (the steepest whole degree whose check reaches FS)"},
    {Said::python_sweep_beyond_memory,
     "the sweep has {rows} rows, whose arrays take {needed} GB, more than the {memory} GB of memory of this "
     "machine; a larger step gives fewer rows"},
    {Said::python_cannot_write, "cannot write {name}: {reason}"},
    {Said::python_text_to_standard_output,
     "path: '-' is the command line's name for standard output, not a file's name"},
    {Said::python_text_under_workbook_name, "path: {refusal}: write_workbook() writes the workbook"},
    {Said::python_sweep_repr,
     "<zelm_fs.Sweep phi={phi} cohesion={cohesion} density={density} height={height} step={step} fs={fs} "
     "units='{units}': {rows} rows, {warnings} warnings>"},
});

}  // namespace

std::span<const Template> host_templates() { return templates; }

}  // namespace zelm
