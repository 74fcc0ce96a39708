// Standard error sent nowhere for a while: for a library that prints its own
// diagnostics there, where the program reports each failure in one line of its own.
#pragma once

namespace zelm {

// While it lives, what is written to standard error (file descriptor 2) is dropped.
// There is one thread, and nothing else writes there meanwhile.
class QuietStandardError {
  public:
    QuietStandardError();
    ~QuietStandardError();
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

  private:
    int saved_ = -1;  // standard error as it was, restored at the end
};

}  // namespace zelm
