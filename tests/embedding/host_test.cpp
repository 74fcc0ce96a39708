// A host process loads the core from a shared object and has it write a run: the host's
// signal dispositions, its signal mask and its open files are as they were before.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <iterator>
#include <map>
#include <string>

#include <dlfcn.h>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

extern "C" void host_handler(int) {}

struct HostState {
    std::map<int, std::pair<void*, int>> dispositions;  // handler and flags of every signal
    std::string mask;
    std::map<std::string, std::pair<dev_t, ino_t>> descriptors;  // what each open descriptor is
};

HostState state_of_the_host() {
    HostState state;
    sigset_t mask;
    sigprocmask(SIG_SETMASK, nullptr, &mask);
    for (int signal_number = 1; signal_number < NSIG; ++signal_number) {
        struct sigaction action {};
        if (sigaction(signal_number, nullptr, &action) == 0) {
            state.dispositions[signal_number] = {reinterpret_cast<void*>(action.sa_handler), action.sa_flags};
        }
        state.mask += sigismember(&mask, signal_number) == 1 ? '1' : '0';
    }
    for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
        struct stat file {};
        if (stat(entry.path().c_str(), &file) == 0) {
            state.descriptors[entry.path().filename()] = {file.st_dev, file.st_ino};
        }
    }
    return state;
}

TEST(Embedding, TheCoreLeavesItsHostAsItWas) {
    // A host with handlers and a mask of its own, as Python has.
    struct sigaction handled {};
    handled.sa_handler = host_handler;
    sigaction(SIGINT, &handled, nullptr);
    sigaction(SIGTERM, &handled, nullptr);
    signal(SIGPIPE, SIG_DFL);
    sigset_t blocked;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGUSR1);
    sigprocmask(SIG_BLOCK, &blocked, nullptr);

    void* core = dlopen(ZELM_EMBEDDED_RUN, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(core, nullptr) << dlerror();
    auto* run = reinterpret_cast<int (*)(const char*)>(dlsym(core, "zelm_embedded_run"));
    ASSERT_NE(run, nullptr);

    const fs::path folder = fs::path(ZELM_WORK_DIR) / "embedding";
    fs::remove_all(folder);
    fs::create_directories(folder);
    const HostState before = state_of_the_host();
    ASSERT_EQ(run(folder.c_str()), 0);
    const HostState after = state_of_the_host();
    EXPECT_EQ(before.dispositions, after.dispositions);
    EXPECT_EQ(before.mask, after.mask);
    EXPECT_EQ(before.descriptors, after.descriptors);

    // Its two files and nothing else; what they hold, byte for byte, is the traced case's.
    EXPECT_TRUE(fs::is_regular_file(folder / "ZELM_FS_result.xls"));
    EXPECT_TRUE(fs::is_regular_file(folder / "ZELM_FS_result.xlsx"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2);
    dlclose(core);
}

}  // namespace
