// What a file name stands for once its symbolic links are followed: a file to replace,
// a device or pipe to write into, or a folder, where no file can be written. Found once
// per file, before the run asks for anything, and carried to the writer.
#pragma once

#include <filesystem>
#include <string>

namespace zelm {

enum class TargetKind {
    file,             // a regular file, or none yet: replaced through a temporary beside it
    device,           // a device, pipe or socket: written straight into, never replaced
    standard_output,  // the program's own standard output ("-", or /dev/stdout sent to a
                      // file): written into where it stands
    folder,           // a folder: nothing is written under its name
    unreachable,      // the links cannot be followed (a loop of them): error says why
};

struct Target {
    TargetKind kind = TargetKind::file;
    // For a file, the one at the end of the links (the link itself is kept, and the
    // file it points to is replaced); otherwise the name as given.
    std::filesystem::path path;
    std::string name;  // the name as given, in UTF-8, for messages
    int error = 0;     // the errno of an unreachable target
};

// Follows `named` through its links, however many (up to the system's own limit of 40),
// to what it stands for. A link that points nowhere stands for the file it names (on
// Windows, which gives no way to read where it points, it is unreachable). On Windows a
// device is told by its name alone (NUL, COM1, \\.\pipe\...), without opening it.
Target find_target(const std::filesystem::path& named);

// Standard output itself, as "-" names it.
Target standard_output_target();

}  // namespace zelm
