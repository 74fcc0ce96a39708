// Whether a standard stream is a terminal (a console window on Windows): a person at the
// keyboard types the entries and reads what is said as it comes, which a pipe or a file
// does not. The dialogue ends differently for them; what a script reads stays the same.
#pragma once

namespace zelm {

enum class StandardStream { input, output, error };

bool is_a_terminal(StandardStream stream);

}  // namespace zelm
