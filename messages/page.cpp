#include "messages/page.hpp"

namespace zelm {
namespace {

// "Computing: {done} of {count} rows…", for one count and for any other.
PageSentence counted(std::string_view key, const std::string& before, std::string_view noun_one,
                     std::string_view noun_many, const std::string& after) {
    return {key, before + std::string(noun_one) + after, before + std::string(noun_many) + after};
}

// The values of a form that cannot be read, and what was not done.
PageSentence refused(std::string_view key, const std::string& of, const std::string& not_done) {
    return {
        key,
        "{count} value of the " + of + " cannot be read, as marked beside it; " + not_done + "{earlier}.",
        "{count} values of the " + of + " cannot be read, as marked beside them; " + not_done + "{earlier}."};
}

}  // namespace

std::vector<PageSentence> page_sentences(const DesignChart& chart) {
    return {
        {"runStopped", "The values have changed: the run under way was stopped; press Enter to compute."},
        {"resultOutOfDate",
         "The values have changed: the result below is for the earlier ones, and its downloads are off until "
         "Enter computes again."},
        {"enterAValue", "Enter a value."},
        {"entryRefused", "\u201c{typed}\u201d {reason}."},
        refused("sixRefused", "six", "nothing was computed"),
        {"resultForEarlier", ", and the result below is for earlier values"},
        refused("fiveRefused", "five", "nothing was checked"),
        {"chartForEarlier", ", and the chart below is for earlier values"},
        {"checkRefused", "Nothing was checked{earlier}: {line}"},
        {"rowsCaption", "The {count} row, as the result file holds it, with the confirmed angle",
         "The {count} rows, as the result file holds them, with the confirmed angle"},
        {"endsCaption",
         "The first and last of the {count} rows, as the result file holds them, with the confirmed angle"},
        counted("rowsNotShown", "\u2026 {count} ", "row", "rows",
                " not shown here; the downloads hold every row \u2026"),
        counted("computing", "Computing: {done} of {count} ", "row", "rows", "\u2026"),
        {"warning", "Warning: {line}"},
        counted("rowsComputed", "{count} ", "row", "rows", " computed."),
        counted("rowsComputedWarned", "{count} ", "row", "rows", " computed, with {warnings}: {lines}"),
        counted("warnings", "{count} ", "warning", "warnings", ""),
        {"checkCaption",
         "The design angle at FS {fs} (degrees, as " + std::string(chart.name) +
             " gives it) and the confirmed angle at that FS (dashed) against the height H (m), for this "
             "material; the point marks the slope, {height} m high at {angle} degrees."},
        {"designCurve", "design angle at FS {fs} (degrees)"},
        {"confirmedCurve", "confirmed angle at FS {fs} (degrees)"},
        {"slopePoint", "the slope (degrees)"},
        {"bishopLine",
         "By Bishop's simplified method of slices: FS {fs}, on the critical slip circle drawn "
         "below{cautions}."},
        {"bishopShallow",
         "By Bishop's simplified method of slices: FS {fs}; with no cohesion the critical slip is a shallow "
         "slide parallel to the face, drawn below, the infinite slope's tan(phi)/tan(angle){cautions}."},
        {"bishopNone", "Bishop's simplified method gives no factor of safety: {reason}"},
        {"sectionTitle", "The slope's section and Bishop's critical slip circle"},
        {"sectionCaption",
         "The slope's section, {height} m high at {angle} degrees, and Bishop's critical slip circle, in m "
         "from "
         "the toe: centre at x = {centreX}, y = {centreY} (the dot), radius {radius}; it enters the crest at "
         "x = {entryX} and leaves the ground at x = {exitX}."},
        {"shallowCaption",
         "The slope's section, {height} m high at {angle} degrees, and Bishop's critical slip: with no "
         "cohesion, a shallow slide along the face, from the toe to the crest edge at x = {entryX} m."},
        {"checkOutOfDate",
         "Out of date: the values have changed since the answer \u201c{line}\u201d. Press Enter, or "
         "Check, to check again."},
        {"makingText", "Making ZELM_FS_result.xls: {size} KiB\u2026"},
        {"textReady", "ZELM_FS_result.xls is ready."},
        {"textFailed", "Cannot make ZELM_FS_result.xls: {error}"},
        {"makingWorkbook", "Making ZELM_FS_result.xlsx\u2026"},
        {"workbookRefused", "Cannot write ZELM_FS_result.xlsx: {reason}."},
        {"workbookReady", "ZELM_FS_result.xlsx is ready."},
        {"workbookFailed", "Cannot make ZELM_FS_result.xlsx: {error}"},
        {"runFailed", "The run failed: {error}"},
        {"checkFailed", "The check failed: {error}"},
    };
}

std::string units_offered(const UnitLabels& labels) {
    return std::string(labels.stress) + ", " + std::string(labels.unit_weight);
}

}  // namespace zelm
