#include "platform/ProgramSearch.h"
#include "platform/Programs.h"

#include "platform/Failure.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace platform {
namespace {

class Pipe {
public:
    Pipe() {
        if (pipe2(ends_, O_CLOEXEC) != 0) {
            throw Failure(std::string("Impossible de créer un tube : ") + std::strerror(errno));
        }
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;
    ~Pipe() {
        closeEnd(0);
        closeEnd(1);
    }
    int read() const { return ends_[0]; }
    int write() const { return ends_[1]; }
    void closeEnd(int end) {
        if (ends_[end] >= 0) {
            ::close(ends_[end]);
            ends_[end] = -1;
        }
    }

private:
    int ends_[2] = {-1, -1};
};

std::vector<char*> argvOf(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    return argv;
}

// Runs `grandchild` in a grandchild of this process, in a session of its own. The child
// between them ends at once, so the grandchild is adopted by the init process and nobody
// here waits for it. Between fork and exec only async-signal-safe calls are made. Whatever
// fails before the grandchild is under way writes its errno to `report`; end of file, once
// every copy of the write end is closed (by exec or exit), means it is.
template <typename Grandchild>
void detach(const std::string& what, Pipe& report, Grandchild grandchild) {
    const pid_t child = fork();
    if (child < 0) {
        throw Failure(std::string("Impossible de lancer un programme : ") + std::strerror(errno));
    }
    if (child == 0) {
        setsid();
        const pid_t second = fork();
        if (second == 0) {
            grandchild(); // does not return
        }
        if (second < 0) {
            const int error = errno;
            [[maybe_unused]] const auto written = ::write(report.write(), &error, sizeof error);
        }
        _exit(0);
    }
    report.closeEnd(1);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int error = 0;
    ssize_t got = 0;
    while ((got = ::read(report.read(), &error, sizeof error)) < 0 && errno == EINTR) {
    }
    if (got == static_cast<ssize_t>(sizeof error)) {
        throw Failure("Impossible de lancer « " + what + " » : " + std::strerror(error));
    }
}

// RFC 3986: a letter, then letters, digits, "+", "-" or ".", then ":". What follows "host:"
// in "localhost:8080" is a port, not the rest of an address with a scheme.
bool hasScheme(std::string_view address) {
    const auto isLetter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    const std::size_t colon = address.find(':');
    if (colon == std::string_view::npos || colon == 0 || !isLetter(address[0])) {
        return false;
    }
    for (const char c : address.substr(1, colon - 1)) {
        if (!isLetter(c) && !isDigit(c) && c != '+' && c != '-' && c != '.') {
            return false;
        }
    }
    return colon + 1 == address.size() || !isDigit(address[colon + 1]);
}

// Without a scheme the opener would take the address for a file name.
std::string absoluteAddress(const std::string& address) {
    return hasScheme(address) ? address : "https://" + address;
}

bool isExecutableFile(const std::string& path) {
    return PlainFileExists(path) && access(path.c_str(), X_OK) == 0;
}

std::string searchPath() {
    if (const char* const path = std::getenv("PATH")) {
        return path;
    }
    std::string fallback(confstr(_CS_PATH, nullptr, 0), '\0');
    confstr(_CS_PATH, fallback.data(), fallback.size());
    fallback.resize(fallback.size() - 1); // its terminating 0
    return fallback;
}

} // namespace

bool PlainFileExists(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

std::string FindProgram(const std::string& name) {
    if (name.empty() || name.find('/') != std::string::npos) {
        return {};
    }
    const std::string path = searchPath();
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find(':', start);
        if (end == std::string::npos) {
            end = path.size();
        }
        const std::string folder = path.substr(start, end - start);
        if (!folder.empty() && folder.front() == '/') {
            const std::string candidate = folder + (folder.back() == '/' ? "" : "/") + name;
            if (isExecutableFile(candidate)) {
                return candidate;
            }
        }
        start = end + 1;
    }
    return {};
}

void StartProgramFile(const std::string& path, const std::vector<std::string>& arguments) {
    std::vector<std::string> all{path};
    all.insert(all.end(), arguments.begin(), arguments.end());
    const std::vector<char*> argv = argvOf(all);
    Pipe report;
    detach(path, report, [&argv, &report] {
        execv(argv[0], argv.data());
        const int error = errno;
        [[maybe_unused]] const auto written = ::write(report.write(), &error, sizeof error);
        _exit(127);
    });
}

void StartProgramFile(const std::string& path, int /*showStyle*/) {
    StartProgramFile(path, std::vector<std::string>{});
}

void PageOpening::close() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
        descriptor_ = -1;
    }
}

bool PageOpening::opened() {
    if (descriptor_ >= 0) {
        int status = 0;
        pid_t ended = 0;
        while ((ended = waitpid(process_, &status, 0)) < 0 && errno == EINTR) {
        }
        opened_ = ended == process_ && WIFEXITED(status) && WEXITSTATUS(status) == 0;
        close();
    }
    return opened_;
}

// xdg-open is started directly, as a child of this process that holds none of its
// descriptors; its exit status is the verdict, collected once its process descriptor says it
// has ended, so nobody waits for it meanwhile.
PageOpening OpenWebPage(const std::string& address) {
    const std::string opener = FindProgram("xdg-open");
    if (opener.empty()) {
        return PageOpening::Known(false);
    }
    const std::vector<std::string> arguments{opener, absoluteAddress(address)};
    const std::vector<char*> argv = argvOf(arguments);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    pid_t process = 0;
    const int error = posix_spawn(&process, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        return PageOpening::Known(false);
    }
    // Through the system call: Debian 12's <sys/pidfd.h> does not declare it for C++.
    const int ended = static_cast<int>(syscall(SYS_pidfd_open, process, 0));
    if (ended < 0) { // no process descriptors: the opener is left to run unwatched
        return PageOpening::Known(true);
    }
    return PageOpening::Pending(ended, process);
}

} // namespace platform
