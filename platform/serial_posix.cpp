#include "platform/SerialPort.h"

#include "platform/Failure.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <string>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace platform {
namespace {

speed_t termiosSpeed(int speed) {
    switch (speed) {
    case 300:
        return B300;
    case 600:
        return B600;
    case 1200:
        return B1200;
    case 2400:
        return B2400;
    case 4800:
        return B4800;
    case 9600:
        return B9600;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    case 230400:
        return B230400;
    default:
        throw Failure("Vitesse non prise en charge : " + std::to_string(speed) + " bauds");
    }
}

// The group whose members may write to the device: dialout on Debian, uucp on some systems.
std::string deviceGroup(const std::string& name) {
    struct stat status {};
    if (stat(name.c_str(), &status) == 0 && (status.st_mode & S_IWGRP) != 0 && status.st_gid != 0) {
        if (const group* const entry = getgrgid(status.st_gid)) {
            return entry->gr_name;
        }
    }
    return "dialout";
}

[[noreturn]] void throwOpenFailure(const std::string& name, int error) {
    const std::string port = "Le port série « " + name + " »";
    switch (error) {
    case ENOENT:
    case ENXIO:
    case ENODEV:
        throw Failure(port + " n'existe pas : vérifiez son nom et que l'adaptateur est branché");
    case EACCES:
    case EPERM: {
        const std::string group = deviceGroup(name);
        throw Failure("Vous n'avez pas le droit d'ouvrir le port série « " + name +
                      " » : ajoutez-vous au groupe " + group + " (sudo adduser $USER " + group +
                      "), puis fermez votre session et rouvrez-la");
    }
    case EBUSY:
    case EWOULDBLOCK:
        throw Failure(port + " est occupé par un autre programme : fermez-le, puis recommencez");
    case ENOTTY:
        throw Failure("« " + name + " » n'est pas un port série");
    default:
        throw Failure("Impossible d'ouvrir le port série « " + name +
                      " » : " + std::strerror(error));
    }
}

// Raw bytes, 8N1, no flow control of either kind; CLOCAL so that no modem line is waited for.
// False, with errno set, when the port refuses them.
bool configure(int port, int speed) {
    termios settings{};
    if (tcgetattr(port, &settings) != 0) {
        return false;
    }
    cfmakeraw(&settings);
    settings.c_iflag &= ~(IXON | IXOFF | IXANY);
    settings.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
    settings.c_cflag |= CS8 | CLOCAL | CREAD;
    cfsetispeed(&settings, termiosSpeed(speed));
    cfsetospeed(&settings, termiosSpeed(speed));
    return tcsetattr(port, TCSANOW, &settings) == 0;
}

// Between two sendings, Ctrl+C and SIGTERM wait blocked, to be taken by sigtimedwait.
sigset_t stopSignals;
sigset_t maskBefore;

} // namespace

// Opened without waiting for a carrier (O_NONBLOCK), then locked against other programs: those
// that lock (flock) see it busy, and so does every later open but root's (TIOCEXCL). Only then
// are its settings changed, and writes made blocking again.
SerialPort::SerialPort(const std::string& name, int speed) : name_(name), handle_(-1) {
    termiosSpeed(speed);
    const int port = open(name.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (port < 0) {
        throwOpenFailure(name, errno);
    }
    if (flock(port, LOCK_EX | LOCK_NB) != 0 || ioctl(port, TIOCEXCL) != 0 ||
        !configure(port, speed) || fcntl(port, F_SETFL, fcntl(port, F_GETFL) & ~O_NONBLOCK) != 0) {
        const int error = errno;
        ioctl(port, TIOCNXCL);
        close(port);
        throwOpenFailure(name, error);
    }
    handle_ = port;
}

// The exclusive mark outlives the descriptor while another one stays open (a pseudo-terminal's).
SerialPort::~SerialPort() {
    const int port = static_cast<int>(handle_);
    ioctl(port, TIOCNXCL);
    close(port);
}

void SerialPort::send(std::string_view bytes) {
    const int port = static_cast<int>(handle_);
    const auto fail = [this] {
        throw Failure("Impossible d'écrire sur le port série « " + name_ +
                      " » : " + std::strerror(errno));
    };
    while (!bytes.empty()) {
        const ssize_t written = write(port, bytes.data(), bytes.size());
        if (written < 0 && errno != EINTR) {
            fail();
        }
        bytes.remove_prefix(written > 0 ? static_cast<std::size_t>(written) : 0);
    }
    int drained = 0;
    while ((drained = tcdrain(port)) != 0 && errno == EINTR) {
    }
    if (drained != 0) {
        fail();
    }
}

StopRequest::StopRequest() {
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, &maskBefore);
}

// A request still pending is taken first: unblocked, it would end the process.
StopRequest::~StopRequest() {
    const timespec now{};
    while (sigtimedwait(&stopSignals, nullptr, &now) > 0) {
    }
    pthread_sigmask(SIG_SETMASK, &maskBefore, nullptr);
}

bool StopRequest::waitUntil(std::chrono::steady_clock::time_point deadline) const {
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::nanoseconds>(
            deadline - std::chrono::steady_clock::now());
        const long long nanoseconds = left.count() > 0 ? left.count() : 0;
        const timespec timeout{static_cast<time_t>(nanoseconds / 1'000'000'000),
                               static_cast<long>(nanoseconds % 1'000'000'000)};
        if (sigtimedwait(&stopSignals, nullptr, &timeout) > 0) {
            return true;
        }
        if (errno == EAGAIN) {
            return false;
        }
    }
}

} // namespace platform
