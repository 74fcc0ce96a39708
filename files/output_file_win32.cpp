// Descriptors on Windows, through the C runtime's POSIX names (UTF-8 names here too):
// every one in binary mode, so that CR LF is written as it is and never as CR CR LF, and
// none inherited by a program run from this one. Windows keeps no group, and a new file
// is simply one the user may read and write.
#include "files/output_file_platform.hpp"

#include <cerrno>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

namespace zelm {
namespace {

constexpr int binary = O_BINARY | O_NOINHERIT;

}  // namespace

int platform::refusal_to_replace(const std::string& file) {
    return access(file.c_str(), F_OK) == 0 && access(file.c_str(), W_OK) != 0 ? errno : 0;
}

int platform::create_new(const std::string& name, const std::string& /*replaced*/) {
    return open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | binary, S_IREAD | S_IWRITE);
}

int platform::open_device(const std::string& name) { return open(name.c_str(), O_WRONLY | binary); }

int platform::duplicate_standard_output() { return dup(1); }

std::FILE* platform::binary_stream_on(int descriptor) {
    (void)_setmode(descriptor, O_BINARY);  // standard output too: CR LF as written
    return fdopen(descriptor, "wb");
}

int platform::close_descriptor(int descriptor) { return close(descriptor); }

}  // namespace zelm
