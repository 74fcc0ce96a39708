// Stops as console events: Ctrl-C, Ctrl-Break and the console closing, each recorded
// by a handler that the console calls on a thread of its own.
#include "console/stops.hpp"
#include "console/stops_platform.hpp"

#include <atomic>

#include <windows.h>

namespace zelm {
namespace {

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

}  // namespace

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

Stop platform::stop_recorded() {
    switch (recorded.load()) {
        case CTRL_BREAK_EVENT:
            return Stop::ctrl_break;
        case CTRL_CLOSE_EVENT:
            return Stop::console_closed;
        default:
            return Stop::ctrl_c;
    }
}

void platform::end_as_the_stop_would() {
    if (cleaned_up != nullptr) {
        (void)SetEvent(cleaned_up);
    }
    // What the console's own Ctrl-C handling ends a program with.
    ExitProcess(STATUS_CONTROL_C_EXIT);
}

}  // namespace zelm
