#include "result/worker_signals.hpp"

#include <pthread.h>
#include <signal.h>

namespace zelm::platform {

void leave_signals_to_the_writer() {
    sigset_t all;
    sigfillset(&all);
    (void)pthread_sigmask(SIG_BLOCK, &all, nullptr);
}

}  // namespace zelm::platform
