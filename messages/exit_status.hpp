// The program's exit statuses.
#pragma once

namespace zelm {

enum class ExitStatus : int {
    written = 0,      // every file asked for was written (warnings or not)
    not_written = 1,  // a file could not be written, or the input ended early
    usage = 2,        // the command line is wrong: nothing was asked and no file touched
};

}  // namespace zelm
