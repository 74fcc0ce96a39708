// The titles of the columns of a run's rows, in one table for the result file, the
// workbook, the page and Python: each host shows the same words over the same numbers.
// ASCII, so the same bytes in Windows-1252 (the result file's) and UTF-8 (the others').
#pragma once

#include <string_view>

namespace zelm {

struct ColumnTitles {
    std::string_view height;           // H, as the workbook, the page and Python title it
    std::string_view x;                // tan(phi)/FS, as every host titles it
    std::string_view y;                // C'/(d*H*tan(phi)), likewise
    std::string_view angle;            // the angle in whole degrees, as the file prints it
    std::string_view chart_angle;      // the chart's angle as computed, before it is rounded
    std::string_view confirmed_angle;  // the steepest whole degree whose check reaches FS
    // The workbook's alone: Bishop's factor of safety of the printed angle, and the
    // steepest whole degree whose factor of safety by Bishop's method reaches FS.
    std::string_view bishop_fs;
    std::string_view bishop_angle;
    // The workbook's alone, where asked for: the probability that the printed slope fails
    // (FS below 1 by Bishop's method) in a material drawn uncertain, and its upper bound.
    std::string_view failure_probability;
    std::string_view failure_upper;
};

// "graus": the result file's Catalan word for degrees, kept on every host so that the
// columns read the same in the file, the workbook, the page and a DataFrame.
inline constexpr ColumnTitles column_titles{
    "H (m)",
    "Tg (Phi)/FS=",
    "C'/(d*H*Tg Phi)",
    "angle (graus)",
    "chart angle (graus)",
    "confirmed angle (graus)",
    "Bishop FS",
    "Bishop angle (graus)",
    "P(FS<1)",
    "P(FS<1) upper 95%",
};

// What each of a run's columns holds, as Python's help() says of the array of it.
struct ColumnHelp {
    std::string_view height;
    std::string_view x;
    std::string_view y;
    std::string_view angle;
    std::string_view confirmed_angle;
};

inline constexpr ColumnHelp column_help{
    "Height of each row, m (float32).",
    "x = tan(phi)/FS of each row, on the two-decimal grid (float32).",
    "y = C'/(d*H*tan(phi)) of each row, on the two-decimal grid (float32).",
    "Slope angle of each row, degrees (float32); NaN where the file's cell is empty.",
    "Confirmed angle of each row, whole degrees (float32); NaN where there is none.",
};

}  // namespace zelm
