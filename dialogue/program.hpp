// One run of the calculator, from the banner to the closed result file.
#pragma once

#include <filesystem>
#include <iosfwd>

namespace zelm {

// Shows the banner, reads the six values from `in` with the prompts on `out`, and
// writes the result file to `target`. Problems are reported on `err` in one line.
// Returns the exit status: 0 when the file was written, 1 otherwise.
int run(std::istream& in, std::ostream& out, std::ostream& err, const std::filesystem::path& target);

}  // namespace zelm
