// Linux: quorvelin-trame --port run as a child process, writing to one end of a socat
// pseudo-terminal pair while the test reads the other.
#include "tests/serial_pair_posix.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
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

using testsupport::SerialPair;
using testsupport::SerialReader;

const std::string Position = "46.714322 5.643542";
const std::string Line =
    "$GPRMC,000000.000,A,4642.8593,N,00538.6125,E,0.00,000.00,000000,,,0*12\r\n";

// The program started with these arguments, its output and errors kept in files.
class Child {
public:
    explicit Child(std::vector<std::string> arguments, bool asNobody = false) {
        char pattern[] = "/tmp/quorvelin-run-XXXXXX";
        folder_ = mkdtemp(pattern);
        std::vector<std::string> command{QUORVELIN_TRAME};
        if (asNobody) {
            command = {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups",
                       QUORVELIN_TRAME};
        }
        command.insert(command.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (std::string& argument : command) {
            argv.push_back(argument.data());
        }
        argv.push_back(nullptr);
        pid_ = fork();
        if (pid_ == 0) {
            dup2(open((folder_ + "/out").c_str(), O_WRONLY | O_CREAT, 0600), 1);
            dup2(open((folder_ + "/err").c_str(), O_WRONLY | O_CREAT, 0600), 2);
            execv(argv[0], argv.data());
            _exit(127);
        }
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    ~Child() {
        if (status_ < 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        std::filesystem::remove_all(folder_);
    }

    void interrupt() const { kill(pid_, SIGINT); }
    // Whether it ended within this time.
    bool endsWithin(std::chrono::seconds time) {
        for (auto end = std::chrono::steady_clock::now() + time;
             std::chrono::steady_clock::now() < end;
             std::this_thread::sleep_for(std::chrono::milliseconds(10))) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 1000;
                return true;
            }
        }
        return false;
    }
    // Its exit status; -1 when a signal ended it.
    int status() {
        if (status_ < 0) {
            int status = 0;
            waitpid(pid_, &status, 0);
            status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 1000;
        }
        return status_ == 1000 ? -1 : status_;
    }
    std::string out() const { return read("out"); }
    std::string err() const { return read("err"); }

private:
    std::string read(const char* name) const {
        std::ostringstream text;
        text << std::ifstream(folder_ + "/" + name).rdbuf();
        return text.str();
    }

    std::string folder_;
    pid_t pid_ = -1;
    int status_ = -1;
};

std::string repeated(const std::string& text, int count) {
    std::string all;
    for (int i = 0; i < count; ++i) {
        all += text;
    }
    return all;
}

TEST(TramePort, SendsCountSentencesWithCrLfOneIntervalApartAtTheSpeedAsked) {
    const struct {
        std::vector<std::string> options;
        int count;
        double interval;
        speed_t speed;
    } cases[] = {
        {{"--count", "3", "--interval", "0.2"}, 3, 0.2, B4800},
        {{"--count", "2", "--interval", "0,1", "--baud", "9600"}, 2, 0.1, B9600},
        {{"--count", "1", "--baud", "115200"}, 1, 0, B115200},
    };
    for (const auto& [options, count, interval, speed] : cases) {
        SCOPED_TRACE(options[1] + " " + options[3]);
        const SerialPair pair;
        SerialReader reader(pair.receiving());
        const int watcher = open(pair.sending().c_str(), O_RDWR | O_NOCTTY);
        std::vector<std::string> arguments{"--port", pair.sending(), Position};
        arguments.insert(arguments.end(), options.begin(), options.end());

        const auto start = std::chrono::steady_clock::now();
        Child run(arguments);
        ASSERT_TRUE(run.endsWithin(std::chrono::seconds(20)));
        EXPECT_EQ(run.status(), 0) << run.err();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        EXPECT_EQ(reader.read(count * Line.size(), std::chrono::seconds(2)), repeated(Line, count));
        EXPECT_GE(took.count(), (count - 1) * interval);
        EXPECT_EQ(run.out(), "");
        EXPECT_NE(run.err().find(std::to_string(count) +
                                 (count > 1 ? " trames envoyées" : " trame envoyée")),
                  std::string::npos)
            << run.err();
        termios settings{};
        tcgetattr(watcher, &settings);
        close(watcher);
        EXPECT_EQ(cfgetospeed(&settings), speed);
    }
}

TEST(TramePort, CtrlCEndsItWithStatus0AndTheCountSent) {
    const SerialPair pair;
    SerialReader reader(pair.receiving());
    const int watcher = open(pair.sending().c_str(), O_RDWR | O_NOCTTY);
    Child run({"--port", pair.sending(), "--interval", "0.05", Position});
    std::string got = reader.read(2 * Line.size(), std::chrono::seconds(5));
    termios settings{};
    tcgetattr(watcher, &settings); // while it sends
    close(watcher);
    run.interrupt();
    EXPECT_EQ(run.status(), 0) << run.err();
    got += reader.read(1000 * Line.size(), std::chrono::milliseconds(300));
    const int sent = static_cast<int>(got.size() / Line.size());
    EXPECT_GE(sent, 2);
    EXPECT_EQ(got, repeated(Line, sent));
    EXPECT_NE(run.err().find(std::to_string(sent) + " trames envoyées"), std::string::npos)
        << run.err();
    EXPECT_EQ(cfgetospeed(&settings), B4800);
    EXPECT_EQ(settings.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS), CS8);
}

// Nobody reads the other end: the line soon takes no more bytes, and the sending waits.
TEST(TramePort, CtrlCEndsItEvenWhileTheLineTakesNoMoreBytes) {
    const SerialPair pair;
    Child run({"--port", pair.sending(), "--interval", "0.001", Position});
    std::this_thread::sleep_for(std::chrono::seconds(1));
    run.interrupt();
    ASSERT_TRUE(run.endsWithin(std::chrono::seconds(20)));
    EXPECT_EQ(run.status(), 0) << run.err();
    EXPECT_NE(run.err().find(" trames envoyées"), std::string::npos) << run.err();
}

TEST(TramePort, APortItCannotUseEndsItWithStatus2AndTheReason) {
    const SerialPair pair;
    SerialReader reader(pair.receiving());
    Child holder({"--port", pair.sending(), Position});
    reader.read(Line.size(), std::chrono::seconds(5));
    const std::string forbidden = pair.receiving();
    chmod(forbidden.c_str(), 0);
    const struct {
        std::string port;
        bool asNobody;
        std::string reason;
    } cases[] = {
        {pair.sending() + "9", false, "n'existe pas"},
        {pair.sending(), false, "est occupé par un autre programme"},
        {forbidden, geteuid() == 0, "ajoutez-vous au groupe dialout (sudo adduser $USER dialout)"},
    };
    for (const auto& [port, asNobody, reason] : cases) {
        Child run({"--port", port, Position}, asNobody);
        EXPECT_EQ(run.status(), 2) << port;
        EXPECT_EQ(run.out(), "");
        EXPECT_NE(run.err().find(reason), std::string::npos) << run.err();
    }
    holder.interrupt();
    EXPECT_EQ(holder.status(), 0);
}

TEST(TramePort, RefusesSendingOptionsItCannotUse) {
    const struct {
        std::vector<std::string> arguments;
        std::string reason;
    } cases[] = {
        {{"--count", "0"}, "--count demande un nombre entier de trames, 1 ou plus"},
        {{"--interval", "0"}, "--interval demande un nombre de secondes d'au moins 0.001"},
        {{"--interval", "1s"}, "--interval demande"},
        {{"--baud", "4000"}, "vitesse inconnue « 4000 » : 300, 600,"},
        {{"--format", "hex"}, "--port envoie la trame d'une position, suivie de CR LF"},
    };
    for (const auto& [arguments, reason] : cases) {
        std::vector<std::string> all{"--port", "/dev/null", Position};
        all.insert(all.end(), arguments.begin(), arguments.end());
        Child run(all);
        EXPECT_EQ(run.status(), 2) << arguments[1];
        EXPECT_NE(run.err().find(reason), std::string::npos) << run.err();
    }
    Child withoutPort({"--count", "2", Position});
    EXPECT_EQ(withoutPort.status(), 2);
    EXPECT_NE(withoutPort.err().find("vont avec --port"), std::string::npos);
}

} // namespace
