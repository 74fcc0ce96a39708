// The header above the rows, once, as lines of cells: each a label, or one of the values
// entered with the decimals the result file prints it with. The result file prints its
// lines as they always were; the workbook shows every line, the height and the step
// included, with the values exactly as entered and the column titles with their units.
#pragma once

#include "messages/units.hpp"
#include "sweep/chart_inputs.hpp"

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace zelm {

struct HeaderCell {
    // Windows-1252 text; before the value in the same cell, if there is one ("FS ").
    std::string_view label;
    float ChartInputs::*value = nullptr;  // the value entered, when the cell shows one
    int decimals = 1;                     // the decimals the result file prints it with
    std::string_view workbook_label;      // the workbook's own label, where it says more
    // A unit's label in place of `label`, as the run's units name it (Tn/m3 or kN/m3).
    std::string_view UnitLabels::*unit = nullptr;

    // The label in the run's units.
    std::string_view text(Units units) const { return unit != nullptr ? labels_of(units).*unit : label; }

    // The label as the workbook and the page show it.
    std::string_view shown_label(Units units) const {
        return workbook_label.empty() ? text(units) : workbook_label;
    }
};

struct HeaderLine {
    std::array<HeaderCell, 4> cells;
    std::size_t count;    // the cells used, from the first
    bool in_result_file;  // false: a line of the workbook's own
};

std::span<const HeaderLine> header_lines();

// Titles of the columns that only the workbook, the page and Python show beside the
// result file's: the steepest whole degree whose check reaches the run's FS (confirmed
// angle), and the chart's angle as computed, before the file rounds it to whole degrees.
inline constexpr std::string_view confirmed_angle_label = "confirmed angle (graus)";
inline constexpr std::string_view chart_angle_label = "chart angle (graus)";

// The header as the result file holds it: the cells of a line joined by TABs, each line
// ended by CR LF, the values printed with their decimals and a point.
std::string header_text(const ChartInputs& entered);

// The title of the chart, in UTF-8, with FS as entered: "ABAC 1 · FS 1.25".
std::string chart_title(const ChartInputs& entered);

// The workbook's own texts, in UTF-8 (written as bytes like the labels: u-acute,
// c-cedilla, a-grave): the page footer's fields (the file, the date, the page of the
// pages), the document's subject and keywords.
inline constexpr const char* page_footer = "&L&F&C&D&Rpage &P of &N";
inline constexpr const char* workbook_subject =
    "Angle del tal\xC3\xBAs per a cada al\xC3\xA7"
    "ada, llegit de l'\xC3\xA0"
    "bac 1";
inline constexpr const char* workbook_keywords =
    "tal\xC3\xBAs, estabilitat, ABAC 1, factor de seguretat, zelm-fs";

// The document's comments: the values entered, with their units.
std::string workbook_comments(const ChartInputs& entered);

}  // namespace zelm
