// The header above the rows, once, as lines of cells: each a label, or one of the values
// entered with the decimals the result file prints it with. The result file prints its
// lines as they always were; the workbook shows every line, the height and the step
// included, with the values exactly as entered and the column titles with their units.
#pragma once

#include "messages/units.hpp"
#include "sweep/chart_inputs.hpp"

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zelm {

struct HeaderCell {
    // Windows-1252 text; before the value in the same cell, if there is one ("FS ").
    std::string_view label;
    float ChartInputs::*value = nullptr;  // the value entered, when the cell shows one
    int decimals = 1;                     // the decimals the result file prints it with
    std::string_view workbook_label;      // the workbook's own label, where it says more
    // A unit's label in place of `label`, as the run's units name it (Tn/m3 or kN/m3).
    std::string_view UnitLabels::*unit = nullptr;
    bool names_the_chart = false;  // the run's chart, by its label, in place of `label`

    // The label in a run of these values: in their units, or their chart's label.
    std::string_view text(const ChartInputs& entered) const {
        return names_the_chart ? entered.chart->label : text(entered.units);
    }

    // The label as the workbook and the page show it.
    std::string_view shown_label(const ChartInputs& entered) const {
        return workbook_label.empty() ? text(entered) : workbook_label;
    }

    // The same in the run's units alone, for a line that does not name the chart (the
    // column titles).
    std::string_view text(Units units) const { return unit != nullptr ? labels_of(units).*unit : label; }
};

struct HeaderLine {
    std::array<HeaderCell, 4> cells;
    std::size_t count;    // the cells used, from the first
    bool in_result_file;  // false: a line of the workbook's own
};

std::span<const HeaderLine> header_lines();

// The header as the result file holds it: the cells of a line joined by TABs, each line
// ended by CR LF, the values printed with their decimals and a point.
std::string header_text(const ChartInputs& entered);

// The title of the chart, in UTF-8: the label of the run's chart and FS as entered,
// "<label> · FS 1.25".
std::string chart_title(const ChartInputs& entered);

// The workbook's own texts, in UTF-8 (written as bytes like the labels: u-acute,
// c-cedilla, a-grave): the page footer's fields (the file, the date, the page of the
// pages), the document's subject and keywords, which name the run's chart.
inline constexpr const char* page_footer = "&L&F&C&D&Rpage &P of &N";
std::string workbook_subject(const ChartInputs& entered);
std::string workbook_keywords(const ChartInputs& entered);

// The document's comments: the values entered, with their units.
std::string workbook_comments(const ChartInputs& entered);

// A line of the workbook's header under the values, one for each condition Bishop's
// columns stand under (none for a dry slope that stands still): what it is, its value as
// given where it has one, and what that value is in.
struct ConditionLine {
    std::string_view label;
    std::optional<double> value;
    std::string_view unit;
};
std::vector<ConditionLine> condition_lines(const GivenConditions& given);

// The lines of the workbook's header on its columns of the probability of failure, under
// the conditions' (none where it is not asked for): each a label, a number as entered
// where it has one, and what it is, in words: how the friction angle and the cohesion are
// drawn, the draws and their seed, and what the two columns hold.
struct StudyLine {
    std::string_view label;
    std::optional<float> value;
    std::string text;
};
std::vector<StudyLine> study_lines(const ChartInputs& entered);

}  // namespace zelm
