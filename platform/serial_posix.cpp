#include "platform/SerialPort.h"

#include "platform/Failure.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
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

// While a StopRequest lives, Ctrl+C and SIGTERM write a byte into this pipe, which every wait
// of this file watches: a request that comes at any moment, even just before a wait, ends it.
int wakeUp[2] = {-1, -1};
struct sigaction actionsBefore[2];
constexpr int stopSignals[2] = {SIGINT, SIGTERM};

void onStopSignal(int) {
    const int saved = errno;
    [[maybe_unused]] const auto written = write(wakeUp[1], "", 1);
    errno = saved;
}

// Waits for the port to take bytes (port >= 0) or for a time; false on a request to stop.
bool waitFor(int port, int milliseconds) {
    pollfd watched[2] = {{wakeUp[0], POLLIN, 0}, {port, POLLOUT, 0}};
    while (poll(watched, 2, milliseconds) < 0 && errno == EINTR) {
    }
    return (watched[0].revents & POLLIN) == 0;
}

} // namespace

// Opened without waiting for a carrier (O_NONBLOCK), then locked against other programs: those
// that lock (flock) see it busy, and so does every later open but root's (TIOCEXCL). Only then
// are its settings changed. Writes stay non-blocking, so that a line that takes no more bytes
// (a pseudo-terminal nobody reads) cannot hold up a request to stop.
SerialPort::SerialPort(const std::string& name, int speed) : name_(name), handle_(-1) {
    termiosSpeed(speed); // an odd speed is refused before the port is touched
    const int port = open(name.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (port < 0) {
        throwOpenFailure(name, errno);
    }
    if (flock(port, LOCK_EX | LOCK_NB) != 0 || ioctl(port, TIOCEXCL) != 0 ||
        !configure(port, speed)) {
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

bool SerialPort::send(std::string_view bytes) {
    const int port = static_cast<int>(handle_);
    const auto fail = [this] {
        throw Failure("Impossible d'écrire sur le port série « " + name_ +
                      " » : " + std::strerror(errno));
    };
    while (!bytes.empty()) {
        const ssize_t written = write(port, bytes.data(), bytes.size());
        if (written > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(written));
        } else if (errno != EAGAIN && errno != EINTR) {
            fail();
        } else if (!waitFor(port, -1)) {
            return false;
        }
    }
    int drained = 0;
    while ((drained = tcdrain(port)) != 0 && errno == EINTR) {
    }
    if (drained != 0) {
        fail();
    }
    return true;
}

StopRequest::StopRequest() {
    if (pipe2(wakeUp, O_CLOEXEC | O_NONBLOCK) != 0) {
        throw Failure(std::string("Impossible de créer un tube : ") + std::strerror(errno));
    }
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    for (int i = 0; i < 2; ++i) {
        sigaction(stopSignals[i], &action, &actionsBefore[i]);
    }
}

StopRequest::~StopRequest() {
    for (int i = 0; i < 2; ++i) {
        sigaction(stopSignals[i], &actionsBefore[i], nullptr);
    }
    close(wakeUp[0]);
    close(wakeUp[1]);
    wakeUp[0] = wakeUp[1] = -1;
}

bool StopRequest::waitUntil(std::chrono::steady_clock::time_point deadline) const {
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (!waitFor(-1, left.count() > 0 ? static_cast<int>(left.count()) : 0)) {
            return true;
        }
        if (left.count() <= 0) {
            return false;
        }
    }
}

} // namespace platform
