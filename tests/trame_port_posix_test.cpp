// Linux: quorvelin-trame --port run as a child process, writing to one end of a socat
// pseudo-terminal pair while the test reads the other end at 4800 bauds.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
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
        kill(socat_, SIGTERM);
        waitpid(socat_, nullptr, 0);
        std::filesystem::remove_all(folder_);
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
// permissions, if asked), its standard output and error kept in files.
class Child {
public:
    explicit Child(std::vector<std::string> arguments, bool bounded = false)
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
    void interrupt() const { kill(pid_, SIGINT); }
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
        speed_t speed;
    } cases[] = {
        {{"--count", "3", "--interval", "0.2"}, 3, 0.2, B4800},
        {{"--count", "2", "--interval", "0,1", "--baud", "9600"}, 2, 0.1, B9600},
    };
    for (const auto& [options, count, interval, speed] : cases) {
        SCOPED_TRACE(count);
        const SerialPair pair;
        // Settings that the program must undo, read back through a descriptor of its own.
        const int watcher = open(pair.sending().c_str(), O_RDWR | O_NOCTTY);
        termios settings{};
        tcgetattr(watcher, &settings);
        settings.c_cflag = (settings.c_cflag & ~CSIZE) | CS7 | PARENB | CSTOPB | CRTSCTS;
        cfsetospeed(&settings, B50);
        tcsetattr(watcher, TCSANOW, &settings);

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
        tcgetattr(watcher, &settings);
        close(watcher);
        EXPECT_EQ(cfgetospeed(&settings), speed);
        EXPECT_EQ(settings.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS), CS8);
    }
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
    };
    for (const auto& [port, reason] : cases) {
        Child run({"--port", port, Position}, port == forbidden && geteuid() == 0);
        EXPECT_EQ(run.status(), 2) << port;
        EXPECT_EQ(run.out(), "");
        EXPECT_EQ(run.err(), "quorvelin-trame : " + reason + "\n");
    }
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
        {{"--count", "2"}, "--interval, --baud et --count vont avec --port"},
    };
    for (auto [arguments, reason] : cases) {
        arguments.push_back(Position);
        Child run(arguments);
        EXPECT_EQ(run.status(), 2) << reason;
        EXPECT_NE(run.err().find(reason), std::string::npos) << run.err();
    }
}

} // namespace
