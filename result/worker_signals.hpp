// Signals and the threads that make a file's text: a signal to stop must reach the thread
// that writes, so that a write waiting on a pipe or a device returns at once, as it does
// with no other thread. The build takes worker_signals_posix.cpp or worker_signals_win32.cpp.
#pragma once

namespace zelm::platform {

// Called first on a thread that only computes: signals go to the other threads.
void leave_signals_to_the_writer();

}  // namespace zelm::platform
