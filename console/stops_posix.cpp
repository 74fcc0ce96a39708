// Stops as signals: SIGINT, SIGTERM and SIGHUP, each recorded by a handler that does
// nothing else.
#include "console/stops.hpp"
#include "console/stops_platform.hpp"

#include <array>
#include <atomic>
#include <csignal>
#include <cstdlib>

namespace zelm {
namespace {

// The first stop signal that came, 0 before any: the program's only mutable global, since
// a signal handler reaches nothing else.
std::atomic<int> recorded{0};  // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)
static_assert(std::atomic<int>::is_always_lock_free);  // as a signal handler needs it

constexpr std::array<int, 3> stop_signals{SIGINT, SIGTERM, SIGHUP};

extern "C" void record(int signal_number) {
    int none = 0;
    (void)recorded.compare_exchange_strong(none, signal_number);
}

}  // namespace

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

Stop platform::stop_recorded() {
    switch (recorded.load()) {
        case SIGTERM:
            return Stop::sigterm;
        case SIGHUP:
            return Stop::sighup;
        default:
            return Stop::sigint;
    }
}

void platform::end_as_the_stop_would() {
    // The default action of the signal ends the program, as if it had never been caught:
    // the signal is not blocked, so it is delivered before raise returns.
    const int signal_number = recorded.load();
    (void)std::signal(signal_number, SIG_DFL);
    (void)std::raise(signal_number);
    std::abort();  // not reached
}

}  // namespace zelm
