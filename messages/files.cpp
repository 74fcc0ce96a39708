#include "messages/files.hpp"

namespace zelm {
namespace {

std::string in_kilobytes(std::uintmax_t bytes) { return std::to_string((bytes + 1023) / 1024) + " kB"; }

std::string sheet_of(std::int32_t rows, std::uintmax_t sheet) {
    return "Its sheet of " + std::to_string(rows) + " rows takes up to " + in_kilobytes(sheet);
}

// What a file would not fit: the file-size limit, or the space free where it goes.
std::string beyond_size_limit(std::uintmax_t limit) {
    return ", beyond the file-size limit of " + in_kilobytes(limit);
}
std::string free_there(std::uintmax_t available) {
    return ", and " + in_kilobytes(available) + " are free there";
}

std::string rows_of(std::int32_t rows, std::uintmax_t bytes) {
    const std::string row_count = std::to_string(rows) + (rows == 1 ? " row" : " rows");
    return (rows == 0 ? "Its header takes" : "Its header and " + row_count + " take") + " up to " +
           in_kilobytes(bytes);
}

// Where a run of fewer rows would fit, the cure most likely.
std::string cure(bool fewer_rows_fit) { return fewer_rows_fit ? "; a larger step gives fewer rows." : "."; }

// The file as the user named it, and standard output, named "-" on the command line.
std::string named(const Target& target) {
    return target.kind == TargetKind::standard_output && target.name == "-" ? "standard output" : target.name;
}

}  // namespace

std::string refused_before_asking(const Target& target, const Failure& refused) {
    return "cannot write " + named(target) + ": " + refused.reason + "; no file was written.";
}

std::string dialogue_unwritable() { return "cannot write to standard output; no result file was written."; }

std::string input_ended_early() {
    return "the input ended before all six values were read; no result file was written.";
}

std::string result_not_written(const Target& target, const Failure& failure) {
    if (target.kind == TargetKind::standard_output) {
        return "cannot write the result to standard output: " + failure.reason + ".";
    }
    return "cannot write " + target.name + ": " + failure.reason + "; any earlier result file is unchanged." +
           (failure.detail.empty() ? "" : " " + failure.detail);
}

std::string workbook_not_written(const Target& target, const Failure& failure) {
    return "cannot write " + named(target) + ": " + failure.reason + "; any earlier workbook is unchanged." +
           (failure.detail.empty() ? "" : " " + failure.detail);
}

std::string files_written(const Target& result, const std::optional<Target>& workbook, std::int32_t rows) {
    return "\n\tWritten: " + named(result) + ", " + std::to_string(rows) + (rows == 1 ? " row" : " rows") +
           (workbook ? ", and its workbook " + named(*workbook) : std::string()) + ".\n";
}

std::string answers_not_written() { return "cannot write the answers to standard output."; }

std::string text_under_a_workbook_name(const std::string& name) {
    return "'" + name + "' is a workbook's name, and the result file is tab-separated text";
}

std::string workbook_not_created() { return "the file could not be created"; }

std::string workbook_not_put_together(int error) {
    return "the workbook could not be put together (libxlsxwriter error " + std::to_string(error) + ")";
}

std::string rows_beyond_a_sheet(std::int32_t rows, std::int32_t room, bool with_warnings) {
    return "the sweep has " + std::to_string(rows) + " rows and a sheet holds " + std::to_string(room) +
           (with_warnings ? " under the header and the run's warnings" : " under the header") +
           "; a larger step gives fewer rows";
}

std::string sheet_beyond_size_limit(std::int32_t rows, std::uintmax_t sheet, std::uintmax_t limit) {
    return sheet_of(rows, sheet) + " while it is put together" + beyond_size_limit(limit) + ".";
}

std::string sheet_beyond_free_space(std::int32_t rows, std::uintmax_t sheet, const std::string& folder,
                                    std::uintmax_t available) {
    return sheet_of(rows, sheet) + " in " + folder + " while it is put together" + free_there(available) +
           ".";
}

std::string rows_beyond_size_limit(std::int32_t rows, std::uintmax_t bytes, std::uintmax_t limit,
                                   bool fewer_rows_fit) {
    return rows_of(rows, bytes) + beyond_size_limit(limit) + cure(fewer_rows_fit);
}

std::string rows_beyond_free_space(std::int32_t rows, std::uintmax_t bytes, const std::string& folder,
                                   std::uintmax_t available, bool fewer_rows_fit) {
    return rows_of(rows, bytes) + " in " + folder + free_there(available) + cure(fewer_rows_fit);
}

}  // namespace zelm
