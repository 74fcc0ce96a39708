// What a run tells of the files it writes, in one place: why a file was not written, and
// what the workbook's writer found on its way.
#pragma once

#include "files/failure.hpp"
#include "files/target.hpp"

#include <cstdint>
#include <optional>
#include <string>

namespace zelm {

// A file refused before any value is asked for: "cannot write X: reason; no file was
// written."
std::string refused_before_asking(const Target& target, const Failure& refused);

// Standard output closed under the dialogue, or the input ended early: nothing written.
std::string dialogue_unwritable();
std::string input_ended_early();

// The result file or the workbook not written, the earlier one kept, and what was found
// where it was checked before it was begun; for standard output, only why.
std::string result_not_written(const Target& target, const Failure& failure);
std::string workbook_not_written(const Target& target, const Failure& failure);

// The dialogue's last line at a terminal, after the prompts and any warning: the files
// written and the rows they hold. "\n\tWritten: ZELM_FS_result.xls, 20 rows, and its
// workbook ZELM_FS_result.xlsx.\n"
std::string files_written(const Target& result, const std::optional<Target>& workbook, std::int32_t rows);

// The answers of --check not written to standard output.
std::string answers_not_written();

// Why the result file, which is text, is not written under a workbook's name, given as
// `name`: "'slope.xlsx' is a workbook's name, and the result file is tab-separated text".
std::string text_under_a_workbook_name(const std::string& name);

// The workbook's own reasons: the file not created, libxlsxwriter failing with `error`,
// more rows than a sheet holds under the header (and the warnings, when there are any).
std::string workbook_not_created();
std::string workbook_not_put_together(int error);
std::string rows_beyond_a_sheet(std::int32_t rows, std::int32_t room, bool with_warnings);

// What was checked of the room for a sheet of `rows` rows, and found: more than the
// file-size limit, or more than the space free in `folder`.
std::string sheet_beyond_size_limit(std::int32_t rows, std::uintmax_t sheet, std::uintmax_t limit);
std::string sheet_beyond_free_space(std::int32_t rows, std::uintmax_t sheet, const std::string& folder,
                                    std::uintmax_t available);

// The same for the result file, its header and `rows` rows taking up to `bytes`: more than
// the file-size limit, or more than the space free in `folder`; and, where fewer rows
// would fit, that a larger step gives fewer.
std::string rows_beyond_size_limit(std::int32_t rows, std::uintmax_t bytes, std::uintmax_t limit,
                                   bool fewer_rows_fit);
std::string rows_beyond_free_space(std::int32_t rows, std::uintmax_t bytes, const std::string& folder,
                                   std::uintmax_t available, bool fewer_rows_fit);

}  // namespace zelm
