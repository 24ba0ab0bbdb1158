#include "platform/SerialPort.h"

#include "platform/Failure.h"
#include "platform/SystemError.h"
#include "platform/Visible.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <string>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <utility>

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
    const std::string shown = Visible(name);
    const std::string port = "Le port série « " + shown + " »";
    switch (error) {
    case ENOENT:
    case ENXIO:
    case ENODEV:
        throw Failure(port + " n'existe pas : vérifiez son nom et que l'adaptateur est branché");
    case EACCES:
    case EPERM: {
        const std::string group = deviceGroup(name);
        throw Failure("Vous n'avez pas le droit d'ouvrir le port série « " + shown +
                      " » : ajoutez-vous au groupe " + group + " (sudo adduser $USER " + group +
                      "), puis fermez votre session et rouvrez-la");
    }
    case EBUSY:
    case EWOULDBLOCK:
        throw Failure(port + " est occupé par un autre programme : fermez-le, puis recommencez");
    case ENOTTY:
        throw Failure("« " + shown + " » n'est pas un port série");
    default:
        throw Failure("Impossible d'ouvrir le port série « " + shown +
                      " » : " + FrenchReason(error));
    }
}

// A file descriptor, closed with the object or before.
class Descriptor {
public:
    explicit Descriptor(int descriptor) : descriptor_(descriptor) {}
    Descriptor(Descriptor&& other) noexcept : descriptor_(std::exchange(other.descriptor_, -1)) {}
    Descriptor& operator=(Descriptor&&) = delete;
    ~Descriptor() { reset(); }
    int get() const { return descriptor_; }
    void reset() {
        if (descriptor_ >= 0) {
            close(std::exchange(descriptor_, -1));
        }
    }

private:
    int descriptor_;
};

// The port opened and locked against other programs: those that lock (flock) see it busy, and
// so does every later open but root's once it is marked exclusive (TIOCEXCL). A mark that is
// already there is another program's, which root got past: the port is busy for it too. A
// refused open leaves the port as it was.
Descriptor openLocked(const std::string& name) {
    if (name.find('\0') != std::string::npos) {
        throwOpenFailure(name, ENOENT); // the system would open the name cut at the NUL
    }
    Descriptor port(open(name.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (port.get() < 0 || flock(port.get(), LOCK_EX | LOCK_NB) != 0) {
        throwOpenFailure(name, errno);
    }
    int marked = 0;
    if (ioctl(port.get(), TIOCGEXCL, &marked) == 0 && marked != 0) {
        throwOpenFailure(name, EBUSY);
    }
    return port;
}

termios settingsOf(const Descriptor& port, const std::string& name) {
    termios settings{};
    if (tcgetattr(port.get(), &settings) != 0) {
        throwOpenFailure(name, errno);
    }
    return settings;
}

struct Pipe {
    Descriptor readEnd;
    Descriptor writeEnd;
};

Pipe pipeFor(const std::string& name) {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) {
        throwOpenFailure(name, errno);
    }
    return {Descriptor(ends[0]), Descriptor(ends[1])};
}

// The helper process's whole life. It ignores the signals that the terminal sends to the whole
// group and waits for the run's end of the pipe to close, which happens however the run ends.
[[noreturn]] void keepUntilTheRunEnds(int port, int runEnded, const termios& found) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE}) {
        std::signal(signal, SIG_IGN);
    }
    for (const int standard : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        close(standard); // whoever reads the run's output sees it end with the run
    }
    char byte = 0;
    while (read(runEnded, &byte, 1) < 0 && errno == EINTR) {
    }
    tcsetattr(port, TCSANOW, &found);
    ioctl(port, TIOCNXCL);
    _exit(0);
}

// Gives the port back as it was found, settings and exclusive mark, through a helper process
// that shares the open port, and so its lock, with the run: the port stays locked until it is
// put back, even when the run was killed (SIGKILL) and could do nothing itself.
class PortKeeper {
public:
    PortKeeper(const std::string& name, const Descriptor& port, const termios& found)
        : PortKeeper(name, port, found, pipeFor(name)) {}
    PortKeeper(const PortKeeper&) = delete;
    PortKeeper& operator=(const PortKeeper&) = delete;
    // Returns once the port is as it was found.
    ~PortKeeper() {
        runEnd_.reset();
        while (waitpid(helper_, nullptr, 0) < 0 && errno == EINTR) {
        }
    }

private:
    PortKeeper(const std::string& name, const Descriptor& port, const termios& found, Pipe pipe)
        : runEnd_(std::move(pipe.writeEnd)), helper_(fork()) {
        if (helper_ == 0) {
            runEnd_.reset(); // the helper's copy, which would keep the pipe open
            keepUntilTheRunEnds(port.get(), pipe.readEnd.get(), found);
        }
        if (helper_ < 0) {
            throwOpenFailure(name, errno);
        }
    }

    Descriptor runEnd_;
    pid_t helper_;
};

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

// While a StopRequest lives, Ctrl+C, SIGTERM and SIGHUP write a byte into this pipe, which every
// wait of this file watches: a request that comes at any moment, even just before a wait, ends
// it. SIGPIPE is ignored meanwhile: the run goes on when nobody reads its messages any more.
int wakeUp[2] = {-1, -1};
constexpr std::array<int, 4> handledSignals = {SIGINT, SIGTERM, SIGHUP, SIGPIPE};
std::array<struct sigaction, handledSignals.size()> actionsBefore;

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

// Opened without waiting for a carrier (O_NONBLOCK), locked, and only then are its settings
// changed. Writes stay non-blocking, so that a line that takes no more bytes (a pseudo-terminal
// nobody reads) cannot hold up a request to stop.
struct SerialPort::System {
    System(const std::string& name, int speed)
        : port(openLocked(name)), keeper(name, port, settingsOf(port, name)) {
        if (ioctl(port.get(), TIOCEXCL) != 0 || !configure(port.get(), speed)) {
            throwOpenFailure(name, errno);
        }
    }

    Descriptor port;
    PortKeeper keeper; // goes first: the port is put back before it is let go
};

SerialPort::SerialPort(const std::string& name, int speed) : name_(name) {
    termiosSpeed(speed); // an odd speed is refused before the port is touched
    system_ = std::make_unique<System>(name, speed);
}

SerialPort::~SerialPort() = default;

bool SerialPort::send(std::string_view bytes) {
    const int port = system_->port.get();
    const auto fail = [this] {
        throw Failure("Impossible d'écrire sur le port série « " + Visible(name_) +
                      " » : " + LastFrenchReason());
    };
    while (!bytes.empty()) {
        const ssize_t written = write(port, bytes.data(), bytes.size());
        if (written > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(written));
        } else if (errno != EAGAIN && errno != EINTR) {
            fail();
        } else if (!waitFor(port, -1)) {
            tcflush(port, TCOFLUSH); // what waits would go out later at the settings put back
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

// A signal that was ignored (nohup, a background job) stays ignored.
StopRequest::StopRequest() {
    if (pipe2(wakeUp, O_CLOEXEC | O_NONBLOCK) != 0) {
        throw Failure("Impossible de créer un tube : " + LastFrenchReason());
    }
    struct sigaction action {};
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < handledSignals.size(); ++i) {
        sigaction(handledSignals[i], nullptr, &actionsBefore[i]);
        const bool ignored = actionsBefore[i].sa_handler == SIG_IGN;
        action.sa_handler = handledSignals[i] == SIGPIPE ? SIG_IGN : onStopSignal;
        if (!ignored) {
            sigaction(handledSignals[i], &action, nullptr);
        }
    }
}

StopRequest::~StopRequest() {
    for (std::size_t i = 0; i < handledSignals.size(); ++i) {
        sigaction(handledSignals[i], &actionsBefore[i], nullptr);
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
