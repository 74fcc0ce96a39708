#include "console/stops.hpp"

#include "messages/diagnostic.hpp"

#include <atomic>
#include <iostream>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <array>
#include <csignal>
#include <cstdlib>
#endif

namespace zelm {
namespace {

#ifdef _WIN32

// The first console event that asked the program to stop, none_yet before any, and an
// event set once the program has cleaned up: the program's only mutable globals, since
// the console's handler runs on a thread of its own.
constexpr DWORD none_yet = 0xFFFFFFFFU;
std::atomic<DWORD> recorded{none_yet};  // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)
HANDLE cleaned_up = nullptr;            // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)

BOOL WINAPI record(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) {
        return FALSE;
    }
    DWORD none = none_yet;
    (void)recorded.compare_exchange_strong(none, event);
    // A closing console ends the program once this returns, and at the latest 5 s after
    // the event: the program has until then to clean up.
    if (event == CTRL_CLOSE_EVENT && cleaned_up != nullptr) {
        (void)WaitForSingleObject(cleaned_up, 4500);
    }
    return TRUE;
}

const char* stopped_by() {
    switch (recorded.load()) {
        case CTRL_BREAK_EVENT:
            return "stopped by Ctrl-Break";
        case CTRL_CLOSE_EVENT:
            return "stopped as the console closed";
        default:
            return "stopped by Ctrl-C";
    }
}

#else

// The first stop signal that came, 0 before any: the program's only mutable global, since
// a signal handler reaches nothing else.
std::atomic<int> recorded{0};  // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)
static_assert(std::atomic<int>::is_always_lock_free, "a signal handler needs a lock-free record");

constexpr std::array<int, 3> stop_signals{SIGINT, SIGTERM, SIGHUP};

extern "C" void record(int signal_number) {
    int none = 0;
    (void)recorded.compare_exchange_strong(none, signal_number);
}

const char* stopped_by() {
    switch (recorded.load()) {
        case SIGTERM:
            return "stopped by SIGTERM";
        case SIGHUP:
            return "stopped by SIGHUP";
        default:
            return "stopped by SIGINT";
    }
}

#endif

}  // namespace

#ifdef _WIN32

void record_stops() {
    cleaned_up = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    (void)SetConsoleCtrlHandler(record, TRUE);
}

bool stop_requested() { return recorded.load() != none_yet; }

bool input_ended_by_a_stop() {
    for (int wait = 0; wait < 10 && !stop_requested(); ++wait) {
        Sleep(10);
    }
    return stop_requested();
}

#else

void record_stops() {
    struct sigaction stop {};
    stop.sa_handler = record;
    sigemptyset(&stop.sa_mask);
    stop.sa_flags = 0;  // no SA_RESTART: a read waiting at a prompt returns at once
    for (const int signal_number : stop_signals) {
        struct sigaction before {};
        if (sigaction(signal_number, nullptr, &before) == 0 && before.sa_handler != SIG_IGN) {
            (void)sigaction(signal_number, &stop, nullptr);
        }
    }
    (void)std::signal(SIGXFSZ, SIG_IGN);
    (void)std::signal(SIGPIPE, SIG_IGN);
}

bool stop_requested() { return recorded.load() != 0; }

bool input_ended_by_a_stop() { return stop_requested(); }

#endif

void end_by_stop(bool file_removed) {
    say(std::cerr,
        std::string(stopped_by()) +
            (file_removed ? "; the file being written was removed, and any earlier one is unchanged." : "."));
#ifdef _WIN32
    if (cleaned_up != nullptr) {
        (void)SetEvent(cleaned_up);
    }
    // What the console's own Ctrl-C handling ends a program with.
    ExitProcess(STATUS_CONTROL_C_EXIT);
#else
    // The default action of the signal ends the program, as if it had never been caught:
    // the signal is not blocked, so it is delivered before raise returns.
    const int signal_number = recorded.load();
    (void)std::signal(signal_number, SIG_DFL);
    (void)std::raise(signal_number);
    std::abort();  // not reached
#endif
}

}  // namespace zelm
