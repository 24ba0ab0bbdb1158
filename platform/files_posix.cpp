#include "platform/Failure.h"
#include "platform/FileCalls.h"
#include "platform/SystemError.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::files {
namespace {

[[noreturn]] void fail(const std::string& what, const std::string& shown, int error) {
    throw Failure(what + shown + " : " + FrenchReason(error));
}

// The temporary to remove if a signal ends the program while it is written: a fixed buffer,
// since a signal handler may only call unlink.
char pendingTemporary[4096];
constexpr int endingSignals[] = {SIGINT, SIGTERM, SIGHUP};
struct sigaction previousActions[std::size(endingSignals)];

extern "C" void removeTemporaryAndEnd(int signal) {
    if (pendingTemporary[0] != '\0') {
        unlink(pendingTemporary);
    }
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void removeOnSignals(const std::string& path) {
    if (path.size() >= sizeof pendingTemporary) {
        return; // no room: the temporary would then stay, as with SIGKILL
    }
    std::memcpy(pendingTemporary, path.c_str(), path.size() + 1);
    struct sigaction action {};
    action.sa_handler = removeTemporaryAndEnd;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < std::size(endingSignals); ++i) {
        sigaction(endingSignals[i], &action, &previousActions[i]);
    }
}

void keepOnSignals() {
    if (pendingTemporary[0] == '\0') {
        return;
    }
    for (std::size_t i = 0; i < std::size(endingSignals); ++i) {
        sigaction(endingSignals[i], &previousActions[i], nullptr);
    }
    pendingTemporary[0] = '\0';
}

// What a new file gets: read and write for all, as the user's mask allows.
mode_t newFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

} // namespace

std::intptr_t StandardInput() {
    return STDIN_FILENO;
}

std::intptr_t StandardOutput() {
    return STDOUT_FILENO;
}

std::intptr_t OpenToRead(const std::string& path, const std::string& shown) {
    const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) {
        fail("impossible de lire ", shown, errno);
    }
    struct stat status {};
    if (fstat(file, &status) == 0 && S_ISDIR(status.st_mode)) {
        close(file);
        fail("impossible de lire ", shown, EISDIR);
    }
    return file;
}

std::size_t Read(std::intptr_t handle, char* bytes, std::size_t count, const std::string& shown) {
    for (;;) {
        const ssize_t got = read(static_cast<int>(handle), bytes, count);
        if (got >= 0) {
            return static_cast<std::size_t>(got);
        }
        if (errno != EINTR) {
            fail("impossible de lire ", shown, errno);
        }
    }
}

void Write(std::intptr_t handle, const char* bytes, std::size_t count, const std::string& shown) {
    while (count > 0) {
        const ssize_t put = write(static_cast<int>(handle), bytes, count);
        if (put < 0 && errno != EINTR) {
            fail("impossible d'écrire dans ", shown, errno);
        }
        if (put > 0) {
            bytes += put;
            count -= static_cast<std::size_t>(put);
        }
    }
}

void Close(std::intptr_t handle) {
    close(static_cast<int>(handle));
}

Temporary CreateBeside(const std::string& path, const std::string& shown) {
    struct stat existing {};
    const bool exists = stat(path.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode)) {
        // A device or a pipe (/dev/null, /dev/stdout) is written to, never replaced.
        const int file = open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        if (file < 0) {
            fail("impossible d'écrire dans ", shown, errno);
        }
        return {file, {}, path};
    }
    // Through symbolic links, the file they lead to is replaced, and they stay.
    std::error_code error;
    const std::filesystem::path target =
        exists ? std::filesystem::canonical(path, error) : std::filesystem::path(path);
    // A hidden name beside it: ".NAME.XXXXXX".
    std::filesystem::path hidden = target;
    hidden.replace_filename(".").concat(target.filename().string()).concat(".XXXXXX");
    std::string pattern = hidden.string();
    const int file = mkstemp(pattern.data());
    if (file < 0) {
        fail("impossible d'écrire dans ", shown, errno);
    }
    Temporary temporary{file, pattern, target.string()};
    removeOnSignals(temporary.path);
    if (exists) {
        fchmod(file, existing.st_mode & 07777);
        [[maybe_unused]] const int owned = fchown(file, existing.st_uid, existing.st_gid);
    } else {
        fchmod(file, newFileMode());
    }
    return temporary;
}

void Replace(Temporary& temporary, const std::string& shown) {
    const int file = static_cast<int>(temporary.handle);
    if (fsync(file) != 0 && errno != EINVAL && errno != EROFS) { // devices take no fsync
        fail("impossible d'écrire dans ", shown, errno);
    }
    if (close(file) != 0) {
        temporary.handle = -1;
        fail("impossible d'écrire dans ", shown, errno);
    }
    temporary.handle = -1;
    if (temporary.path.empty()) {
        return; // written in place
    }
    if (rename(temporary.path.c_str(), temporary.target.c_str()) != 0) {
        fail("impossible d'écrire dans ", shown, errno);
    }
    keepOnSignals();
    // The new name itself on the disk.
    const std::string folder = std::filesystem::path(temporary.target).parent_path().string();
    if (const int directory = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_CLOEXEC);
        directory >= 0) {
        fsync(directory);
        close(directory);
    }
}

void Discard(Temporary& temporary) noexcept {
    if (temporary.handle >= 0) {
        close(static_cast<int>(temporary.handle));
        temporary.handle = -1;
    }
    if (!temporary.path.empty()) {
        unlink(temporary.path.c_str());
        keepOnSignals();
    }
}

} // namespace platform::files
