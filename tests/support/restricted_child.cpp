#include "support/restricted_child.h"

#include <cerrno>
#include <csignal>
#include <exception>
#include <filesystem>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lorvan::test {
namespace {

constexpr int kRan = 0;
constexpr int kImpossible = 2;
constexpr int kFailed = 3;

bool dropFileModeOverride() {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
    if (::syscall(SYS_capget, &header, data) != 0) return false;
    for (const int capability : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH}) {
        const unsigned bit = 1u << (capability % 32);
        __user_cap_data_struct& word = data[capability / 32];
        word.effective &= ~bit;
        word.permitted &= ~bit;
        word.inheritable &= ~bit;
    }
    return ::syscall(SYS_capset, &header, data) == 0;
}

// Writes the whole text to the pipe; a child has nothing better to do when that fails.
void send(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n <= 0) return;
        done += static_cast<size_t>(n);
    }
}

// The lines, each ended by a NUL byte (texts may hold line breaks, never NUL).
std::string joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines)
        out += line + '\0';
    return out;
}

[[noreturn]] void runChild(int fd, const Restriction& restriction,
                           const std::function<std::vector<std::string>()>& body) {
    if (restriction.fileSizeLimit > 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{restriction.fileSizeLimit, restriction.fileSizeLimit};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            send(fd, "setrlimit(RLIMIT_FSIZE) failed");
            ::_exit(kImpossible);
        }
    }
    if (restriction.obeyFileModes && !dropFileModeOverride() && ::geteuid() == 0) {
        send(fd, "capset could not drop CAP_DAC_OVERRIDE");
        ::_exit(kImpossible);
    }
    if (!restriction.mustBeReadOnly.empty() && ::access(restriction.mustBeReadOnly.c_str(), W_OK) == 0) {
        send(fd, restriction.mustBeReadOnly + " is still writable: file modes do not bind here");
        ::_exit(kImpossible);
    }
    try {
        send(fd, joined(body()));
    } catch (const std::exception& e) {
        send(fd, e.what());
        ::_exit(kFailed);
    } catch (...) {
        send(fd, "unknown exception");
        ::_exit(kFailed);
    }
    ::_exit(kRan);
}

} // namespace

SaveFailureSetup::SaveFailureSetup(bool readOnlyFolder, const std::string& folder, uint64_t fileSizeLimit) {
    if (!readOnlyFolder) {
        restriction_.fileSizeLimit = fileSizeLimit;
        return;
    }
    folder_ = folder;
    std::filesystem::permissions(folder,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    restriction_.obeyFileModes = true;
    restriction_.mustBeReadOnly = folder;
}

SaveFailureSetup::~SaveFailureSetup() {
    if (!folder_.empty()) std::filesystem::permissions(folder_, std::filesystem::perms::owner_all);
}

ChildResult runRestricted(const Restriction& restriction,
                          const std::function<std::vector<std::string>()>& body) {
    ChildResult result;
    int fds[2];
    if (::pipe(fds) != 0) {
        result.failure = "pipe failed";
        return result;
    }
    const pid_t child = ::fork();
    if (child < 0) {
        result.failure = "fork failed";
        return result;
    }
    if (child == 0) {
        ::close(fds[0]);
        runChild(fds[1], restriction, body);
    }
    ::close(fds[1]);
    std::string received;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        received.append(buffer, static_cast<size_t>(n));
    }
    ::close(fds[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (code == kImpossible) {
        result.skipReason = received;
        return result;
    }
    result.ran = true;
    if (code == kRan) {
        for (size_t start = 0; start < received.size();) {
            const size_t end = received.find('\0', start);
            result.lines.push_back(received.substr(start, end - start));
            start = end + 1;
        }
    } else {
        result.failure = code == kFailed ? received : "the child ended abnormally: " + std::to_string(status);
    }
    return result;
}

} // namespace lorvan::test
