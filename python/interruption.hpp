// Ctrl-C in Python, turned into the check that the core's long work asks between two
// blocks. Python's own handler records SIGINT and raises KeyboardInterrupt only when the
// interpreter next looks: the long work runs with the GIL released, so the check takes the
// GIL back, every few milliseconds of work and not on every block, and lets Python look.
// No signal handler or mask of the host is touched.
#pragma once

#include "sweep/stop.hpp"

#include <chrono>

namespace zelm::python {

class Interruption {
  public:
    // The check to hand to the core, to be called on the thread that holds this call of
    // the module, with the GIL released. Once Python's signal handler has raised, the
    // check says stop, now and every time after, and the exception waits in the thread.
    ShouldStop check();

    // True once a check said stop.
    bool interrupted() const { return interrupted_; }

    // Throws the exception that waits (KeyboardInterrupt) when the work was stopped, or
    // when a signal came and was not yet looked at: a failure that a signal caused (a
    // write to a pipe cut short) is then reported as the interruption it was. Needs the GIL.
    void raise_if_interrupted();

  private:
    bool stop_now();

    std::chrono::steady_clock::time_point next_look_{};
    bool interrupted_ = false;
};

}  // namespace zelm::python
