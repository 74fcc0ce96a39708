// Why a file was not written, as every writer reports it: what was being done, and the
// system's error, or the program's own reason where the system gave none; with what was
// checked and found, where the writer checked. Data, not words: the words are the files
// family's templates (messages/templates_files.cpp), the same for every host.
#pragma once

#include "entries/diagnostic.hpp"
#include "files/target.hpp"

#include <cstdint>
#include <optional>
#include <system_error>
#include <utility>

namespace zelm {

struct Failure {
    // What was being done when it failed.
    enum class Doing : std::uint8_t {
        opening,           // finding the target and making the temporary beside it
        writing,           // writing the file's bytes
        committing,        // flushing, closing and moving the temporary over the target
        checking_room,     // finding, before a byte, whether the file fits where it goes
        putting_together,  // a library putting the file together (libxlsxwriter's zip)
    };

    Doing doing = Doing::writing;
    std::error_code error{};            // the system's; none where the reason is the program's own
    std::optional<Diagnostic> why{};    // the program's own reason, where the system gave none
    std::optional<Diagnostic> found{};  // what was checked and found, told after the reason
    bool stopped = false;               // the host asked the work to stop: nothing is wrong

    // The errno `code`, while doing `doing`; what was found, where it was checked.
    static Failure system(int code, Doing doing, std::optional<Diagnostic> found = std::nullopt) {
        return {doing, std::error_code(code, std::generic_category()), std::nullopt, std::move(found)};
    }

    // The same for `code` where a call that failed left one, and for `otherwise` where it
    // left 0.
    static Failure system_or(int code, int otherwise, Doing doing) {
        return system(code != 0 ? code : otherwise, doing);
    }

    // The program's own reason.
    static Failure own(Diagnostic why, Doing doing) { return {doing, {}, std::move(why)}; }

    static Failure stop() { return {Doing::writing, {}, std::nullopt, std::nullopt, true}; }

    // The errno for a host that reports it as a number, 0 where there is none.
    int errno_value() const {
        return error && error.category() == std::generic_category() ? error.value() : 0;
    }
};

// What a file is to the user, for what is said of it.
enum class WhichFile : std::uint8_t { result_file, workbook };

// The file not written, and the earlier one kept; for standard output, only why:
// "cannot write slope.xls: No space left on device; any earlier result file is
// unchanged." and what was found after it.
Diagnostic not_written(const Target& target, const Failure& failure, WhichFile what);

// A file refused before any value is asked for: "cannot write X: reason; no file was
// written."
Diagnostic refused_before_asking(const Target& target, const Failure& refused);

// The dialogue's last line at a terminal, after the prompts and any warning: the files
// written and the rows they hold. "\n\tWritten: ZELM_FS_result.xls, 20 rows, and its
// workbook ZELM_FS_result.xlsx.\n"
Diagnostic files_written(const Target& result, const std::optional<Target>& workbook, std::int32_t rows);

// The failure's reason alone, as a slot's value: the program's own, or the system's words.
Value reason_of(const Failure& failure);

}  // namespace zelm
