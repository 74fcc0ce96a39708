// The words of the files: why one was not written, and what was checked of its room.
#include "messages/templates.hpp"

#include <array>

namespace zelm {
namespace {

constexpr auto templates = std::to_array<Template>({
    {Said::result_not_written,
     "cannot write {name}: {reason}; any earlier result file is unchanged.{found? {found}|}"},
    {Said::result_not_written_to_output, "cannot write the result to standard output: {reason}."},
    {Said::workbook_not_written,
     "cannot write {output?standard output|{name}}: {reason}; any earlier workbook is unchanged.{found? "
     "{found}|}"},
    {Said::refused_before_asking,
     "cannot write {output?standard output|{name}}: {reason}; no file was written."},
    {Said::file_stopped, "stopped"},
    {Said::dialogue_unwritable, "cannot write to standard output; no result file was written."},
    {Said::input_ended_early, "the input ended before all six values were read; no result file was written."},
    {Said::answers_not_written, "cannot write the answers to standard output."},
    {Said::files_written,
     "\n\tWritten: {output?standard output|{name}}, {rows} {rows|row|rows}{workbook?, and its workbook "
     "{workbook}|}.\n"},
    {Said::text_under_a_workbook_name,
     "'{name}' is a workbook's name, and the result file is tab-separated text"},
    {Said::workbook_not_created, "the file could not be created"},
    {Said::workbook_not_put_together, "the workbook could not be put together (libxlsxwriter error {error})"},
    {Said::rows_beyond_a_sheet,
     "the sweep has {rows} rows and a sheet holds {room} under the header{warnings? and the run's "
     "warnings|}; a "
     "larger step gives fewer rows"},
    {Said::sheet_beyond_size_limit,
     "Its sheet of {rows} rows takes up to {size} kB while it is put together, beyond the file-size limit of "
     "{limit} kB."},
    {Said::sheet_beyond_free_space,
     "Its sheet of {rows} rows takes up to {size} kB in {folder} while it is put together, and {free} kB are "
     "free "
     "there."},
    {Said::rows_beyond_size_limit,
     "{any?Its header and {rows} {rows|row|rows} take|Its header takes} up to {size} kB, beyond the "
     "file-size limit "
     "of {limit} kB{fewer?; a larger step gives fewer rows.|.}"},
    {Said::rows_beyond_free_space,
     "{any?Its header and {rows} {rows|row|rows} take|Its header takes} up to {size} kB in {folder}, and "
     "{free} kB "
     "are free there{fewer?; a larger step gives fewer rows.|.}"},
});

}  // namespace

std::span<const Template> file_templates() { return templates; }

}  // namespace zelm
