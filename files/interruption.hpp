// A run that is stopped leaves nothing behind. SIGINT, SIGTERM and SIGHUP (on Windows:
// Ctrl-C, Ctrl-Break, closing the console) remove the temporary files of the run, which
// keeps every earlier file as it was, print one line on standard error, and end the
// program as the signal would: the shell sees status 128 + its number (130 for Ctrl-C).
#pragma once

#include <filesystem>

#ifndef _WIN32
#include <csignal>
#endif

namespace zelm {

// Sets this up, once, at the start. A signal ignored when the program started (as
// under nohup) stays ignored. SIGXFSZ and SIGPIPE are ignored: a file-size limit and a
// pipe whose reader is gone are then write errors, reported like any other.
void end_cleanly_when_stopped();

// While it lives, `temporary` (which need not exist yet) is removed if the run is stopped.
// At most a few at a time, with names the system can take (up to its longest path).
class RemovedIfStopped {
  public:
    explicit RemovedIfStopped(const std::filesystem::path& temporary);
    ~RemovedIfStopped();
    RemovedIfStopped(const RemovedIfStopped&) = delete;
    RemovedIfStopped& operator=(const RemovedIfStopped&) = delete;

  private:
    int slot_;
};

// While it lives, a stop waits: for a library that makes temporary files of its own and
// removes them a moment later, which a stop in between would leave behind. The stop
// comes when it ends, the run's own temporaries still registered.
class StopsHeldBack {
  public:
    StopsHeldBack();
    ~StopsHeldBack();
    StopsHeldBack(const StopsHeldBack&) = delete;
    StopsHeldBack& operator=(const StopsHeldBack&) = delete;

  private:
#ifndef _WIN32
    sigset_t held_before_{};
#endif
};

// On Windows a stop is handled on a thread of its own while the program goes on, and a
// temporary still open elsewhere is removed once closed: true once a stop has begun, and
// then no temporary may be moved into place. Never true elsewhere, where a stop ends
// the program at once.
bool stop_has_begun();

// Waits for the stop that has begun to end the program.
[[noreturn]] void wait_for_the_stop();

}  // namespace zelm
