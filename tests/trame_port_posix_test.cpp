// Linux: quorvelin-trame --port run as a child process, writing to one end of a socat
// pseudo-terminal pair while the test reads the other end at 4800 bauds, and the port's
// settings and exclusive mark through a descriptor of its own.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

#ifndef QUORVELIN_TRAME
#error "QUORVELIN_TRAME must name the program under test"
#endif

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

const std::string Position = "46.714322 5.643542";
const std::string Line =
    "$GPRMC,000000.000,A,4642.8593,N,00538.6125,E,0.00,000.00,000000,,,0*12\r\n";

// A serial line for the test's lifetime: what is written to `sending` comes out of `receiving`.
class SerialPair {
public:
    SerialPair() : folder_(scratch("serial")) {
        socat_ = fork();
        if (socat_ == 0) {
            const std::string end = "pty,raw,echo=0,b4800,link=" + folder_;
            execlp("socat", "socat", (end + "/sending").c_str(), (end + "/receiving").c_str(),
                   static_cast<char*>(nullptr));
            _exit(127);
        }
        for (int i = 0; i < 500 && !std::filesystem::exists(receiving()); ++i) {
            std::this_thread::sleep_for(10ms);
        }
    }
    ~SerialPair() {
        cut();
        std::filesystem::remove_all(folder_);
    }
    // Ends the line, as when a USB adapter is pulled out.
    void cut() {
        if (socat_ > 0) {
            kill(socat_, SIGTERM);
            waitpid(socat_, nullptr, 0);
            socat_ = -1;
        }
    }
    static std::string scratch(const std::string& what) {
        std::string pattern = "/tmp/quorvelin-" + what + "-XXXXXX";
        return mkdtemp(pattern.data());
    }
    std::string sending() const { return folder_ + "/sending"; }
    std::string receiving() const { return folder_ + "/receiving"; }

    // What arrives at `receiving`, read at 4800 bauds 8N1, until half a second passes quiet
    // (or five seconds pass).
    std::string read() const {
        const int port = open(receiving().c_str(), O_RDONLY | O_NOCTTY);
        termios settings{};
        tcgetattr(port, &settings);
        cfmakeraw(&settings);
        cfsetspeed(&settings, B4800);
        settings.c_cc[VMIN] = 0;
        settings.c_cc[VTIME] = 5;
        tcsetattr(port, TCSANOW, &settings);
        std::string got;
        char buffer[4096];
        const auto end = Clock::now() + 5s;
        for (ssize_t count;
             Clock::now() < end && (count = ::read(port, buffer, sizeof buffer)) > 0;) {
            got.append(buffer, static_cast<std::size_t>(count));
        }
        close(port);
        return got;
    }

private:
    std::string folder_;
    pid_t socat_ = -1;
};

// The program started with these arguments (without root's right to pass over file
// permissions, if asked), its standard output and error kept in files, or its standard error
// a pipe that nobody reads any more.
class Child {
public:
    enum class Err { File, Closed };
    explicit Child(std::vector<std::string> arguments, bool bounded = false, Err to = Err::File)
        : folder_(SerialPair::scratch("run")) {
        arguments.insert(arguments.begin(), QUORVELIN_TRAME);
        if (bounded) {
            arguments.insert(arguments.begin(),
                             {"/usr/bin/setpriv", "--bounding-set=-dac_override,-dac_read_search"});
        }
        std::vector<char*> argv;
        for (std::string& argument : arguments) {
            argv.push_back(argument.data());
        }
        argv.push_back(nullptr);
        pid_ = fork();
        if (pid_ == 0) {
            dup2(open((folder_ + "/out").c_str(), O_WRONLY | O_CREAT, 0644), 1);
            dup2(open((folder_ + "/err").c_str(), O_WRONLY | O_CREAT, 0644), 2);
            int ends[2];
            if (to == Err::Closed && pipe(ends) == 0) {
                close(ends[0]);
                dup2(ends[1], 2);
            }
            execv(argv[0], argv.data());
            _exit(127);
        }
    }
    ~Child() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        std::filesystem::remove_all(folder_);
    }
    // Returns once it has said that it sends, and so holds the port and takes Ctrl+C.
    void waitUntilSending() const {
        for (int i = 0; i < 1000 && err().find("envoi de") == std::string::npos; ++i) {
            std::this_thread::sleep_for(10ms);
        }
    }
    void interrupt(int signal = SIGINT) const { kill(pid_, signal); }
    // Its exit status once it has ended; -1 if it ends otherwise or is still running after 20 s.
    int status() {
        int status = -1;
        for (const auto end = Clock::now() + 20s; Clock::now() < end;
             std::this_thread::sleep_for(10ms)) {
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = 0;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
        }
        return -1;
    }
    std::string out() const { return file("out"); }
    std::string err() const { return file("err"); }

private:
    std::string file(const char* name) const {
        std::ostringstream text;
        text << std::ifstream(folder_ + "/" + name).rdbuf();
        return text.str();
    }

    std::string folder_;
    pid_t pid_ = -1;
};

// One end of the line opened by the test, that gives it settings a program that sends would
// not choose and reads back the settings and the exclusive mark (TIOCEXCL) that others leave.
class Watcher {
public:
    explicit Watcher(const std::string& port) : port_(open(port.c_str(), O_RDWR | O_NOCTTY)) {
        termios settings{};
        tcgetattr(port_, &settings);
        settings.c_iflag = ICRNL | IXON | IXANY;
        settings.c_oflag = OPOST | ONLCR;
        settings.c_cflag = (settings.c_cflag & ~CSIZE) | CS7 | PARENB | PARODD | CSTOPB | CRTSCTS;
        settings.c_lflag = ICANON | ECHO | ISIG;
        settings.c_cc[VMIN] = 3;
        settings.c_cc[VTIME] = 7;
        cfsetispeed(&settings, B1200);
        cfsetospeed(&settings, B50);
        tcsetattr(port_, TCSANOW, &settings);
    }
    Watcher(const Watcher&) = delete;
    Watcher& operator=(const Watcher&) = delete;
    ~Watcher() { close(port_); }

    // Every field, so that a failed comparison shows which one differs.
    std::string settings() const {
        termios s{};
        tcgetattr(port_, &s);
        std::ostringstream text;
        text << std::hex << "iflag " << s.c_iflag << " oflag " << s.c_oflag << " cflag "
             << s.c_cflag << " lflag " << s.c_lflag << " line " << +s.c_line << " cc";
        for (const cc_t c : s.c_cc) {
            text << ' ' << +c;
        }
        text << " speeds " << cfgetispeed(&s) << ' ' << cfgetospeed(&s);
        return text.str();
    }
    bool exclusive() const {
        int on = -1;
        EXPECT_EQ(ioctl(port_, TIOCGEXCL, &on), 0);
        return on != 0;
    }
    // What a sending program set: raw bytes at `speed`, 8N1 (a pseudo-terminal keeps CS8 and
    // no parity whatever it is told), no flow control.
    void expectSending(speed_t speed) const {
        termios s{};
        tcgetattr(port_, &s);
        EXPECT_EQ(cfgetospeed(&s), speed);
        EXPECT_EQ(s.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS), CS8);
        EXPECT_EQ(s.c_iflag & IXON, 0u);
        EXPECT_EQ(s.c_lflag & ICANON, 0u);
    }

private:
    int port_;
};

// Polls `done` for up to five seconds.
template <class Condition> bool eventually(Condition done) {
    for (const auto end = Clock::now() + 5s; Clock::now() < end;
         std::this_thread::sleep_for(10ms)) {
        if (done()) {
            return true;
        }
    }
    return done();
}

std::string lines(std::size_t count) {
    std::string all;
    while (count-- > 0) {
        all += Line;
    }
    return all;
}

TEST(TramePort, SendsCountSentencesWithCrLfOneIntervalApartAt8N1AndTheSpeedAsked) {
    const struct {
        std::vector<std::string> options;
        std::size_t count;
        double interval;
    } cases[] = {
        {{"--count", "3", "--interval", "0.2"}, 3, 0.2},
        {{"--count", "2", "--interval", "0,1", "--baud", "9600"}, 2, 0.1},
    };
    for (const auto& [options, count, interval] : cases) {
        SCOPED_TRACE(count);
        const SerialPair pair;
        const Watcher watcher(pair.sending());
        const std::string before = watcher.settings();

        std::vector<std::string> arguments{"--port", pair.sending(), Position};
        arguments.insert(arguments.end(), options.begin(), options.end());
        const auto start = Clock::now();
        Child run(arguments);
        EXPECT_EQ(run.status(), 0);
        EXPECT_GE(std::chrono::duration<double>(Clock::now() - start).count(),
                  (count - 1) * interval);
        EXPECT_EQ(pair.read(), lines(count));
        EXPECT_EQ(run.out(), "");
        EXPECT_NE(run.err().find(" : " + std::to_string(count) + " trames envoyées sur "),
                  std::string::npos)
            << run.err();
        EXPECT_EQ(watcher.settings(), before);
        EXPECT_FALSE(watcher.exclusive());
    }
}

// However the run ends, the port is given back as it was found, and its exclusive mark is
// lifted by the run that set it, not by one that was refused.
TEST(TramePort, EndsByASignalWithThePortAsItWasFoundAndOnlyItsOwnLockLifted) {
    const struct {
        int signal;
        std::string baud;
        speed_t speed;
    } cases[] = {
        {SIGINT, "4800", B4800},
        {SIGTERM, "9600", B9600},
        {SIGHUP, "115200", B115200},
        {SIGKILL, "4800", B4800}, // nothing of the run is left to clean up after it
    };
    for (const auto& [signal, baud, speed] : cases) {
        SCOPED_TRACE(signal);
        const SerialPair pair;
        const Watcher watcher(pair.sending());
        const std::string before = watcher.settings();
        Child run({"--port", pair.sending(), "--baud", baud, "--interval", "0.05", Position});
        run.waitUntilSending();
        watcher.expectSending(speed);
        EXPECT_TRUE(watcher.exclusive());
        Child refused({"--port", pair.sending(), Position}); // as root, past the mark
        EXPECT_EQ(refused.status(), 2);
        EXPECT_NE(refused.err().find("occupé"), std::string::npos) << refused.err();
        EXPECT_TRUE(watcher.exclusive());

        run.interrupt(signal);
        const int status = run.status();
        if (signal != SIGKILL) {
            EXPECT_EQ(status, 0);
            EXPECT_TRUE(std::regex_search(run.err(), std::regex(" trames? envoyées? sur ")))
                << run.err();
            EXPECT_EQ(watcher.settings(), before);
            EXPECT_FALSE(watcher.exclusive());
        } else {
            EXPECT_TRUE(eventually([&] { return watcher.settings() == before; }));
            EXPECT_TRUE(eventually([&] { return !watcher.exclusive(); }));
        }
    }
}

// Standard error closed by its reader (SIGPIPE at the first message) does not stop the sending.
TEST(TramePort, AClosedStandardErrorLeavesItSendingAndThePortAsItWasFound) {
    const SerialPair pair;
    const Watcher watcher(pair.sending());
    const std::string before = watcher.settings();
    Child run({"--port", pair.sending(), "--count", "2", "--interval", "0.05", Position}, false,
              Child::Err::Closed);
    run.status();
    EXPECT_EQ(pair.read(), lines(2));
    EXPECT_TRUE(eventually([&] { return watcher.settings() == before; }));
    EXPECT_FALSE(watcher.exclusive());
}

TEST(TramePort, ALostLineEndsItWithStatus2TheReasonInFrenchAndTheCountSent) {
    SerialPair pair;
    Child run({"--port", pair.sending(), "--interval", "0.05", Position});
    run.waitUntilSending();
    std::this_thread::sleep_for(200ms);
    pair.cut();
    EXPECT_EQ(run.status(), 2);
    const std::string err = run.err();
    EXPECT_NE(err.find("quorvelin-trame : Impossible d'écrire sur le port série « " +
                       pair.sending() + " » : erreur d'entrée-sortie\n"),
              std::string::npos)
        << err;
    EXPECT_NE(err.find(" trames envoyées\n"), std::string::npos) << err;
}

// Without a reader the line soon takes no more bytes, and the sending waits for room.
TEST(TramePort, CtrlCEndsItWithStatus0AndTheCountSentEvenWhenTheLineIsFull) {
    for (const bool reading : {true, false}) {
        SCOPED_TRACE(reading);
        const SerialPair pair;
        Child run({"--port", pair.sending(), "--interval", reading ? "0.3" : "0.001", Position});
        run.waitUntilSending();
        std::this_thread::sleep_for(1s);
        run.interrupt();
        EXPECT_EQ(run.status(), 0);
        const std::string err = run.err();
        const std::size_t sent = std::stoul(err.substr(err.rfind(" : ") + 3));
        EXPECT_NE(err.find(std::to_string(sent) + " trames envoyées"), std::string::npos) << err;
        if (reading) {
            EXPECT_EQ(pair.read(), lines(sent));
        }
    }
}

TEST(TramePort, APortItCannotUseEndsItWithStatus2AndTheReason) {
    const SerialPair pair;
    Child holder({"--port", pair.sending(), Position});
    holder.waitUntilSending();
    const std::string forbidden = pair.receiving();
    chmod(forbidden.c_str(), 0);
    const std::string file = "/dev/null";
    // The other end of a pseudo-terminal still locked (no unlockpt): opening it is an I/O error.
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    const std::string locked = ptsname(master);
    const std::string tooLong = "/tmp/" + std::string(300, 'x');
    const struct {
        std::string port;
        std::string reason;
    } cases[] = {
        {pair.sending() + "9", "Le port série « " + pair.sending() +
                                   "9 » n'existe pas : "
                                   "vérifiez son nom et que "
                                   "l'adaptateur est branché"},
        {pair.sending(), "Le port série « " + pair.sending() +
                             " » est occupé par un autre programme : fermez-le, puis recommencez"},
        {file, "« " + file + " » n'est pas un port série"},
        {forbidden, "Vous n'avez pas le droit d'ouvrir le port série « " + forbidden +
                        " » : ajoutez-vous au groupe dialout (sudo adduser $USER dialout), puis "
                        "fermez votre session et rouvrez-la"},
        {"/tmp", "Impossible d'ouvrir le port série « /tmp » : c'est un dossier"},
        {locked, "Impossible d'ouvrir le port série « " + locked + " » : erreur d'entrée-sortie"},
        {tooLong, "Impossible d'ouvrir le port série « " + tooLong + " » : nom trop long"},
        {"/dev/ttyS\u202F0\x01\t\u200B",
         "Le port série « /dev/ttySU+202F0\\x01\\x09U+200B » n'existe pas : vérifiez son nom "
         "et que l'adaptateur est branché"},
    };
    for (const auto& [port, reason] : cases) {
        Child run({"--port", port, Position}, port == forbidden && geteuid() == 0);
        EXPECT_EQ(run.status(), 2) << port;
        EXPECT_EQ(run.out(), "");
        EXPECT_EQ(run.err(), "quorvelin-trame : " + reason + "\n");
    }
    close(master);
}

TEST(TramePort, RefusesSendingOptionsItCannotUse) {
    const struct {
        std::vector<std::string> arguments;
        std::string reason;
    } cases[] = {
        {{"--port", "p", "--count", "0"}, "--count demande un nombre entier de trames, 1 ou plus"},
        {{"--port", "p", "--interval", "1s"}, "--interval demande un nombre de secondes"},
        {{"--port", "p", "--interval", "1e300"}, "--interval demande un nombre de secondes"},
        {{"--port", "p", "--baud", "4000"}, "vitesse inconnue « 4000 » : 300, 600, 1200,"},
        {{"--port", "p", "--format", "hex"}, "--port envoie la trame d'une position"},
        {{"--count", "2"}, "--interval, --baud, --count et --timestamp vont avec --port"},
        {{"--timestamp"}, "--interval, --baud, --count et --timestamp vont avec --port"},
    };
    for (auto [arguments, reason] : cases) {
        arguments.push_back(Position);
        Child run(arguments);
        EXPECT_EQ(run.status(), 2) << reason;
        EXPECT_NE(run.err().find(reason), std::string::npos) << run.err();
    }
}

} // namespace
