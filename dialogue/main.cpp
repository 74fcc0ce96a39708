// zelm-fs: slope angles of a talus from design chart 1, for every height step,
// written to "ZELM_FS_result.xls" in the current folder.
#include "dialogue/program.hpp"
#include "dialogue/result_file.hpp"

#include <csignal>
#include <iostream>

int main() {
#ifdef SIGPIPE
    // A closed pipe on standard output is reported as an error, not a silent death.
    (void)std::signal(SIGPIPE, SIG_IGN);
#endif
    return zelm::run(std::cin, std::cout, std::cerr, zelm::result_file_name);
}
