#include "platform/Programs.h"

#include "platform/Failure.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
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

// Starts the program in a grandchild that the init process adopts, so nobody has to wait
// for it. An exec failure travels back through a close-on-exec pipe: end of file means the
// program runs.
void spawnDetached(const std::vector<std::string>& arguments, bool searchPath) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);

    Pipe report;
    const pid_t child = fork();
    if (child < 0) {
        throw Failure(std::string("Impossible de lancer un programme : ") + std::strerror(errno));
    }
    if (child == 0) {
        setsid();
        const pid_t grandchild = fork();
        if (grandchild == 0) {
            if (searchPath) {
                execvp(argv[0], argv.data());
            } else {
                execv(argv[0], argv.data());
            }
        }
        if (grandchild <= 0) {
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
        throw Failure("Impossible de lancer « " + arguments.front() +
                      " » : " + std::strerror(error));
    }
}

} // namespace

bool PlainFileExists(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

void StartProgramFile(const std::string& path, int /*showStyle*/) {
    spawnDetached({path}, false);
}

void OpenWebPage(const std::string& address) {
    spawnDetached({"xdg-open", address}, true);
}

} // namespace platform
