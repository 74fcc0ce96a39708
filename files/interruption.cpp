#include "files/interruption.hpp"

#include "messages/diagnostic.hpp"

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <string_view>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#include <csignal>
#endif

namespace zelm {
namespace {

#ifdef _WIN32
using NameChar = wchar_t;
#else
using NameChar = char;
#endif

// The longest name the system takes, and its terminating zero.
constexpr std::size_t max_name = 4096;

struct Slot {
    std::atomic<bool> used{false};
    std::array<NameChar, max_name> name{};
};

// The temporaries a stop removes. A signal handler reaches nothing but global state, and
// may call only a few system functions: the names are copied here before each file is
// created, and the handler removes them with unlink alone. This and the flag below are
// the program's only mutable globals.
std::array<Slot, 4> temporaries;    // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)
std::atomic<bool> stopping{false};  // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)
// Standard error as the program found it: a library's diagnostics are sent nowhere
// for a while (result/quiet_standard_error), and the line of a stop must still reach
// the person who stopped it.
#ifdef _WIN32
std::atomic<HANDLE> stop_output{
    INVALID_HANDLE_VALUE};  // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)
#else
std::atomic<int> stop_output{STDERR_FILENO};  // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)
#endif

static_assert(std::atomic<bool>::is_always_lock_free, "a signal handler needs a lock-free flag");

// What stopped the run, and how the line a stop prints after the program's name goes
// on: with the file being written removed, with none to remove, or (on Windows, where a
// file the program holds open cannot go) with one that may be left behind. Picked from
// constant text, since a signal handler may not build a string.
enum Stopper : std::size_t { by_sigint, by_sigterm, by_sighup, by_ctrl_c, by_ctrl_break, by_closing };
enum Removal : std::size_t { removed, none_to_remove, left_behind };
constexpr std::array<std::string_view, 6> stopped_by{
    "stopped by SIGINT", "stopped by SIGTERM",    "stopped by SIGHUP",
    "stopped by Ctrl-C", "stopped by Ctrl-Break", "stopped as the console closed",
};
constexpr std::array<std::string_view, 3> removal_told{
    "; the file being written was removed, and any earlier one is unchanged.\n",
    ".\n",
    "; a temporary file may be left beside the file being written.\n",
};

#ifndef _WIN32
// The signals that stop a run.
constexpr std::array<int, 3> stop_signals{SIGINT, SIGTERM, SIGHUP};

sigset_t set_of_stop_signals() {
    sigset_t set;
    sigemptyset(&set);
    for (const int signal_number : stop_signals) {
        (void)sigaddset(&set, signal_number);
    }
    return set;
}
#endif

#ifdef _WIN32

// Tries to remove every temporary registered: removed when one was, none_to_remove when
// none was there (not made yet, or moved into place already), left_behind when one is
// still open in the program.
Removal remove_temporaries() {
    Removal removal = none_to_remove;
    for (Slot& slot : temporaries) {
        if (!slot.used.load()) {
            continue;
        }
        if (DeleteFileW(slot.name.data()) != 0) {
            removal = removal == left_behind ? left_behind : removed;
        } else if (GetLastError() != ERROR_FILE_NOT_FOUND && GetLastError() != ERROR_PATH_NOT_FOUND) {
            removal = left_behind;
        }
    }
    return removal;
}

// Runs on a thread of its own while the program goes on. A temporary the program holds
// open where it cannot be removed (the workbook's, while libxlsxwriter zips it) is tried
// again until the program, seeing that a stop has begun, has closed and removed it and
// waits to be ended. A closing console gives a program 5 s; Ctrl-C, a minute.
BOOL WINAPI on_console_stop(DWORD event) {
    Stopper by = by_ctrl_c;
    switch (event) {
        case CTRL_C_EVENT:
            by = by_ctrl_c;
            break;
        case CTRL_BREAK_EVENT:
            by = by_ctrl_break;
            break;
        case CTRL_CLOSE_EVENT:
            by = by_closing;
            break;
        default:
            return FALSE;
    }
    stopping.store(true);
    const int attempts = event == CTRL_CLOSE_EVENT ? 225 : 3000;  // 20 ms apart
    Removal removal = none_to_remove;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        removal = remove_temporaries();
        if (removal != left_behind) {
            break;
        }
        Sleep(20);
    }
    for (const std::string_view part : {line_prefix, stopped_by[by], removal_told[removal]}) {
        DWORD written = 0;
        WriteFile(stop_output.load(), part.data(), static_cast<DWORD>(part.size()), &written, nullptr);
    }
    // Once more, for a temporary the program made while this thread was busy; then
    // what the console's own Ctrl-C handling ends a program with.
    (void)remove_temporaries();
    TerminateProcess(GetCurrentProcess(), STATUS_CONTROL_C_EXIT);
    return TRUE;
}

#else

extern "C" void on_stop(int signal_number) {
    // A temporary not made yet, or moved into place already, is not there to remove.
    Removal removal = none_to_remove;
    for (Slot& slot : temporaries) {
        if (slot.used.load() && unlink(slot.name.data()) == 0) {
            removal = removed;
        }
    }
    const Stopper by = signal_number == SIGTERM  ? by_sigterm
                       : signal_number == SIGHUP ? by_sighup
                                                 : by_sigint;
    for (const std::string_view part : {line_prefix, stopped_by[by], removal_told[removal]}) {
        (void)write(stop_output.load(), part.data(), part.size());
    }
    // The handler was installed to be reset on entry, and its signal is blocked while it
    // runs: raised again, the signal ends the program with the default action on return.
    (void)raise(signal_number);
}

#endif

}  // namespace

void end_cleanly_when_stopped() {
#ifdef _WIN32
    HANDLE error_output = INVALID_HANDLE_VALUE;
    if (DuplicateHandle(GetCurrentProcess(), GetStdHandle(STD_ERROR_HANDLE), GetCurrentProcess(),
                        &error_output, 0, FALSE, DUPLICATE_SAME_ACCESS) != 0) {
        stop_output.store(error_output);
    }
    SetConsoleCtrlHandler(on_console_stop, TRUE);
#else
    if (const int error_output = fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3); error_output >= 0) {
        stop_output.store(error_output);
    }
    struct sigaction stop {};
    stop.sa_handler = on_stop;
    stop.sa_flags = static_cast<int>(SA_RESETHAND);
    stop.sa_mask = set_of_stop_signals();  // one stop at a time
    for (const int signal_number : stop_signals) {
        struct sigaction before {};
        if (sigaction(signal_number, nullptr, &before) == 0 && before.sa_handler != SIG_IGN) {
            (void)sigaction(signal_number, &stop, nullptr);
        }
    }
    (void)std::signal(SIGXFSZ, SIG_IGN);
    (void)std::signal(SIGPIPE, SIG_IGN);
#endif
}

RemovedIfStopped::RemovedIfStopped(const std::filesystem::path& temporary) : slot_(-1) {
    const auto& name = temporary.native();
    for (std::size_t i = 0; i < temporaries.size() && name.size() < max_name; ++i) {
        Slot& slot = temporaries[i];
        if (!slot.used.load()) {
            name.copy(slot.name.data(), name.size());
            slot.name[name.size()] = NameChar{};
            slot.used.store(true);
            slot_ = static_cast<int>(i);
            return;
        }
    }
}

RemovedIfStopped::~RemovedIfStopped() {
    if (slot_ >= 0) {
        temporaries[static_cast<std::size_t>(slot_)].used.store(false);
    }
}

#ifdef _WIN32
// On Windows the library's temporaries are deleted by the system when the program ends.
StopsHeldBack::StopsHeldBack() = default;
StopsHeldBack::~StopsHeldBack() = default;
#else
// The program has one thread: sigprocmask is its signal mask.
StopsHeldBack::StopsHeldBack() {
    const sigset_t stops = set_of_stop_signals();
    (void)sigprocmask(SIG_BLOCK, &stops, &held_before_);  // NOLINT(concurrency-mt-unsafe)
}

StopsHeldBack::~StopsHeldBack() {
    (void)sigprocmask(SIG_SETMASK, &held_before_, nullptr);  // NOLINT(concurrency-mt-unsafe)
}
#endif

bool stop_has_begun() { return stopping.load(); }

void wait_for_the_stop() {
#ifdef _WIN32
    for (;;) {
        Sleep(INFINITE);
    }
#else
    std::abort();  // unreachable: a stop ends the program in its handler
#endif
}

}  // namespace zelm
