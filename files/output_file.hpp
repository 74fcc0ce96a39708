// One file being written, from its opening to its commit, so that no earlier file is
// ever lost. A regular file (or a new one) is written to a temporary beside it, created
// for this run alone, and moved over it only once complete: the file is then either
// complete and new or untouched, and the temporary goes whatever happens (the destructor
// removes it unless it was committed). Through a symbolic link, the file the link points
// to is replaced and the link kept; the new file keeps the old one's permission bits
// (and its group, where the user may set it), and a file the user may not write is
// refused as the shell's > refuses it. A device, pipe or standard output is written
// straight into. Nothing that is not the run's own temporary is ever removed.
#pragma once

#include "files/failure.hpp"
#include "files/target.hpp"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <variant>

namespace zelm {

// Who writes the bytes: the program through a stream, or a library that opens the
// file by its name (libxlsxwriter).
enum class Writer { stream, library };

class OutputFile {
  public:
    // The file to be written as `target`, or why it cannot be: a folder, a file the user
    // may not write, a folder that takes no new file. Opening a target and dropping it
    // leaves nothing behind, which is how a run checks its files before it asks for values.
    static std::variant<OutputFile, Failure> open(const Target& target, Writer writer);

    OutputFile(OutputFile&& other) noexcept;
    OutputFile& operator=(OutputFile&&) = delete;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    ~OutputFile();

    // The stream the program writes into, in binary mode (no byte is changed on the way).
    std::FILE* stream() const { return stream_; }

    // The name a library opens to write the file, in UTF-8: the temporary, or the device.
    const std::string& name() const { return name_; }

    // Where the file goes: the folder a library's own temporary files may use, so that
    // the room they take is counted where the file will be. Empty for a device.
    const std::filesystem::path& folder() const { return folder_; }

    // Flushes and closes the stream, with every error checked, and moves a temporary over
    // the target. Nothing when the file is now complete where it belongs.
    std::optional<Failure> commit();

  private:
    OutputFile() = default;

    std::FILE* stream_ = nullptr;
    std::filesystem::path temporary_;  // empty when written in place
    std::filesystem::path target_;
    std::filesystem::path folder_;
    std::string name_;
};

}  // namespace zelm
