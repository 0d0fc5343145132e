#include "support/crash_trials.h"

#include "foundation/file_io.h"

#include <gtest/gtest.h>

#include <charconv>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <poll.h>
#include <random>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lorvan::test {
namespace {

namespace fs = std::filesystem;

// Waits until the watched folder shows that a save of the file began to write: a new entry whose
// name starts with the file's name (its temporary file, or the file itself made anew, which a
// torn-file fault would do) or a write into the file itself. False when nothing happened within
// the bound, which only guards against a hang.
bool waitForSaveToWrite(int watch, const std::string& fileName) {
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::minutes(2);
    alignas(inotify_event) char buffer[4096];
    while (std::chrono::steady_clock::now() < giveUp) {
        pollfd ready{watch, POLLIN, 0};
        if (::poll(&ready, 1, 1000) <= 0) continue;
        const ssize_t n = ::read(watch, buffer, sizeof buffer);
        for (ssize_t at = 0; at < n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            const std::string name = event->len > 0 ? event->name : "";
            if (((event->mask & IN_CREATE) && name.rfind(fileName, 0) == 0) ||
                ((event->mask & IN_MODIFY) && name == fileName))
                return true;
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
    return false;
}

} // namespace

int crashTrials() {
    const char* text = std::getenv("LORVAN_CRASH_TRIALS");
    if (!text) return 40;
    int trials = 0;
    const char* end = text + std::strlen(text);
    const auto [rest, error] = std::from_chars(text, end, trials);
    return error == std::errc() && rest == end && trials > 0 ? trials : 0;
}

void runCrashTrials(const CrashTrialTarget& target) {
    const int trials = crashTrials();
    ASSERT_GT(trials, 0) << "LORVAN_CRASH_TRIALS must be a positive number";
    ASSERT_NE(target.first, target.second) << "the two versions must differ";
    const fs::path path(target.path);
    const std::string fileName = path.filename().string();
    const std::string folder = path.parent_path().string();

    // The kills are spread over twice the time one save takes on this machine.
    target.save(2);
    ASSERT_EQ(readWholeFile(target.path), target.second) << "save(2) does not give the second version";
    target.save(1);
    ASSERT_EQ(readWholeFile(target.path), target.first) << "save(1) does not give the first version";
    const auto started = std::chrono::steady_clock::now();
    target.save(1);
    const auto oneSave = std::chrono::steady_clock::now() - started;
    const long spread = 2 * std::chrono::duration_cast<std::chrono::microseconds>(oneSave).count() + 100;

    std::mt19937 random(20240607);
    int unchanged = 0;
    for (int trial = 1; trial <= trials; ++trial) {
        const int saves = std::uniform_int_distribution<int>(1, 2)(random);
        const long delay = std::uniform_int_distribution<long>(0, spread)(random);
        const std::string before = readWholeFile(target.path);
        const int watch = ::inotify_init1(IN_CLOEXEC);
        ASSERT_GE(watch, 0);
        ASSERT_GE(::inotify_add_watch(watch, folder.c_str(), IN_CREATE | IN_MODIFY), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            try {
                for (int i = 0;; ++i)
                    target.save(i % 2 ? 1 : 2);
            } catch (...) {
                ::_exit(3);
            }
        }
        bool writing = true;
        for (int save = 0; save < saves && writing; ++save)
            writing = waitForSaveToWrite(watch, fileName);
        if (writing) ::usleep(static_cast<useconds_t>(delay));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ::close(watch);
        ASSERT_TRUE(writing) << "trial " << trial << ": no save began to write";
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving child ended by itself: " << status;

        const std::string now = readWholeFile(target.path);
        ASSERT_TRUE(now == target.first || now == target.second)
            << fileName << " torn in trial " << trial << " (kill " << delay << " µs after save " << saves
            << " began to write): " << now.size() << " bytes";
        if (now == before) ++unchanged;
        for (const auto& entry : fs::directory_iterator(folder)) {
            const std::string name = entry.path().filename().string();
            if (name != fileName && name.rfind(fileName + ".tmp", 0) == 0) fs::remove(entry.path());
        }
    }
    ::testing::Test::RecordProperty("trials", trials);
    ::testing::Test::RecordProperty("file_unchanged", unchanged);
    std::cout << "[ crash    ] " << fileName << ": " << trials << " trials, none torn (" << unchanged
              << " left unchanged)\n";
}

} // namespace lorvan::test
