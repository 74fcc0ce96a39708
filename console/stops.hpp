// Stopping the program: Ctrl-C, SIGTERM and SIGHUP (on Windows Ctrl-C, Ctrl-Break and
// closing the console) are only recorded when they come. The run looks at the record
// between blocks of its work; once it sees one, the file being written is discarded by
// ordinary code (never in a signal handler), one line says so, and the program ends as
// the signal would: the shell sees status 128 + its number (130 for Ctrl-C). A second
// signal during the stop changes nothing.
#pragma once

#include "entries/diagnostic.hpp"

namespace zelm {

// The stop recorded first: a signal, or on Windows a console event.
enum class Stop { sigint, sigterm, sighup, ctrl_c, ctrl_break, console_closed };

// Sets this up, once, at the start. A signal ignored when the program started (as
// under nohup) stays ignored. SIGXFSZ and SIGPIPE are ignored: a file-size limit and a
// pipe whose reader is gone are then write errors, reported like any other. A stop
// interrupts a wait for input at a prompt.
void record_stops();

// True once a stop has been recorded.
bool stop_requested();

// True when input that just ended was ended by a stop (on Windows, the stop is told on a
// thread of its own, a moment after the console's read returns).
bool input_ended_by_a_stop();

// That the run was stopped by `stop`, and whether the file being written was removed:
// "stopped by SIGINT.".
Diagnostic stopped(Stop stop, bool file_removed);

// Says that the run was stopped, and whether the file being written was removed, then
// ends the program as the stop would.
[[noreturn]] void end_by_stop(bool file_removed);

}  // namespace zelm
