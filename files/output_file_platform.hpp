// The calls on file descriptors that writing a file takes from the system it runs on:
// output_file.cpp decides what is opened, created, replaced and removed, and the build
// takes output_file_posix.cpp or output_file_win32.cpp for the calls themselves. Names
// are in UTF-8; each call that fails leaves errno as the system set it.
#pragma once

#include <cstdio>
#include <string>

namespace zelm::platform {

// The errno that keeps the user from writing `file` over, or 0 when nothing does (or
// there is no such file yet): a read-only file is refused, as the shell refuses it.
int refusal_to_replace(const std::string& file);

// A new file for this run alone (never one that exists), or -1. On POSIX it takes the
// permission bits and group of the file it replaces, so that a private or shared
// calculation stays so; a new name gets what the umask allows.
int create_new(const std::string& name, const std::string& replaced);

// A device, pipe or socket opened to write into as it stands, or -1.
int open_device(const std::string& name);

// A second descriptor on the program's standard output, or -1.
int duplicate_standard_output();

// A stream on an open descriptor that writes every byte as given (no CR before an LF),
// or nullptr.
std::FILE* binary_stream_on(int descriptor);

// Closes a descriptor no stream took: 0, or -1.
int close_descriptor(int descriptor);

}  // namespace zelm::platform
