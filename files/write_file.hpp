// Writing a file so that no earlier file is ever lost. A regular file (or a new one) is
// written to a temporary beside it, named so that no other run picks it, and moved over
// it only once complete: the file is then either complete and new or untouched, and no
// temporary is left behind, also when the run is stopped. Through a symbolic link, the
// file the link points to is replaced and the link kept. A device or pipe (/dev/null, a
// FIFO, NUL on Windows) is written straight into, in one pass. Nothing that is not a
// regular file is ever removed or replaced.
#pragma once

#include "files/failure.hpp"

#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace zelm {

// Where a file goes: a named file, or standard output ("-" on the command line).
struct Destination {
    std::filesystem::path file;
    bool standard_output = false;
};

// Writes the whole file into the stream it is given: false, with errno set, at the first
// write that failed.
using WriteStream = std::function<bool(std::FILE*)>;

// Writes the whole file under the name it is given, with the failure if any: for a
// library that opens its own files. `temporary` tells a temporary beside the target
// from a device written straight into.
using WriteUnder = std::function<std::optional<Failure>(const std::filesystem::path& file, bool temporary)>;

// The file at `destination`, written in binary mode (no byte is changed on the way)
// through `write`, then flushed and closed with every error checked. Standard output is
// flushed and checked, and left open.
std::optional<Failure> write_file(const Destination& destination, const WriteStream& write);

// The file `named`, written by a library under the name it is given.
std::optional<Failure> write_file_under(const std::filesystem::path& named, const WriteUnder& write);

// Whether a file can be written as `named` at all: the folder it goes in exists and takes
// new files. Checked before a run asks for its values; writing checks everything again.
std::optional<Failure> check_folder(const std::filesystem::path& named);

}  // namespace zelm
