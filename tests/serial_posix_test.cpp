// Linux: the serial port's settings and bytes on a pseudo-terminal pair, its French messages,
// and Ctrl+C taken as a request to stop.
#include "platform/Failure.h"
#include "platform/SerialPort.h"
#include "tests/serial_pair_posix.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <termios.h>

namespace {

using testsupport::SerialPair;
using testsupport::SerialReader;

TEST(SerialPort, SendsRawBytesAtTheSpeedAsked8N1WithoutFlowControl) {
    const struct {
        int speed;
        speed_t expected;
    } cases[] = {{4800, B4800}, {300, B300}, {115200, B115200}};
    for (const auto& [speed, expected] : cases) {
        SCOPED_TRACE(speed);
        const SerialPair pair;
        SerialReader reader(pair.receiving());
        // Settings that every step of the opening must undo, read back through a descriptor
        // of the same terminal.
        const int watcher = open(pair.sending().c_str(), O_RDWR | O_NOCTTY);
        termios settings{};
        tcgetattr(watcher, &settings);
        settings.c_cflag = (settings.c_cflag & ~CSIZE) | CS7 | PARENB | CSTOPB | CRTSCTS;
        settings.c_iflag |= IXON | IXOFF;
        settings.c_oflag |= OPOST | ONLCR;
        settings.c_lflag |= ICANON | ECHO;
        cfsetospeed(&settings, B9600);
        tcsetattr(watcher, TCSANOW, &settings);

        const std::string sentence = "$GPRMC,A,4642.8593,N*12\n\r\n";
        {
            platform::SerialPort port(pair.sending(), speed);
            port.send(sentence);
            tcgetattr(watcher, &settings);
        }
        close(watcher);
        EXPECT_EQ(reader.read(sentence.size(), std::chrono::seconds(2)), sentence);
        EXPECT_EQ(cfgetospeed(&settings), expected);
        EXPECT_EQ(settings.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS | CLOCAL), CS8 | CLOCAL);
        EXPECT_EQ(settings.c_iflag & (IXON | IXOFF | IXANY), 0u);
        EXPECT_EQ(settings.c_oflag & OPOST, 0u);
        EXPECT_EQ(settings.c_lflag & (ICANON | ECHO | ISIG), 0u);
    }
}

std::string failureOf(const std::function<void()>& open) {
    try {
        open();
    } catch (const platform::Failure& failure) {
        return failure.what();
    }
    return "(opened)";
}

// Opening it as a user whom the port's permissions refuse: its owner after taking away every
// right, or, for root, whom nothing refuses, the user nobody in a child process.
std::string failureWithoutPermission(const std::string& path) {
    chmod(path.c_str(), 0);
    if (geteuid() != 0) {
        return failureOf([&] { platform::SerialPort(path, 4800); });
    }
    int report[2];
    EXPECT_EQ(pipe(report), 0);
    const pid_t child = fork();
    if (child == 0) {
        close(report[0]);
        const std::string text = setgid(65534) == 0 && setuid(65534) == 0
                                     ? failureOf([&] { platform::SerialPort(path, 4800); })
                                     : "(still root)";
        [[maybe_unused]] const auto written = write(report[1], text.data(), text.size());
        _exit(0);
    }
    close(report[1]);
    std::string text;
    char buffer[512];
    for (ssize_t got; (got = read(report[0], buffer, sizeof buffer)) > 0;) {
        text.append(buffer, static_cast<std::size_t>(got));
    }
    close(report[0]);
    waitpid(child, nullptr, 0);
    return text;
}

TEST(SerialPort, SaysInFrenchWhyItCannotBeOpened) {
    const SerialPair pair;
    const std::string port = pair.sending();
    const std::string file = pair.receiving() + ".txt";
    std::ofstream(file) << "text";
    std::optional<platform::SerialPort> holder;
    const struct {
        const char* what;
        std::function<std::string()> attempt;
        std::string expected;
    } cases[] = {
        {"missing", [&] { return failureOf([&] { platform::SerialPort(port + "9", 4800); }); },
         "Le port série « " + port +
             "9 » n'existe pas : vérifiez son nom et que l'adaptateur "
             "est branché"},
        {"busy",
         [&] {
             holder.emplace(port, 4800);
             return failureOf([&] { platform::SerialPort(port, 4800); });
         },
         "Le port série « " + port +
             " » est occupé par un autre programme : fermez-le, puis "
             "recommencez"},
        {"not a serial port", [&] { return failureOf([&] { platform::SerialPort(file, 4800); }); },
         "« " + file + " » n'est pas un port série"},
        {"odd speed", [&] { return failureOf([&] { platform::SerialPort(file, 4000); }); },
         "Vitesse non prise en charge : 4000 bauds"},
        {"no permission", [&] { return failureWithoutPermission(pair.receiving()); },
         "Vous n'avez pas le droit d'ouvrir le port série « " + pair.receiving() +
             " » : ajoutez-vous au groupe dialout (sudo adduser $USER dialout), puis fermez "
             "votre session et rouvrez-la"},
    };
    for (const auto& [what, attempt, expected] : cases) {
        EXPECT_EQ(attempt(), expected) << what;
    }
}

TEST(StopRequest, CtrlCEndsTheWaitAndNotTheProcessWhileItLives) {
    using std::chrono::steady_clock;
    {
        const platform::StopRequest stop;
        EXPECT_FALSE(stop.waitUntil(steady_clock::now() + std::chrono::milliseconds(20)));
        raise(SIGINT);
        EXPECT_TRUE(stop.waitUntil(steady_clock::now() + std::chrono::hours(1)));
    }
    struct sigaction after {};
    sigaction(SIGINT, nullptr, &after);
    EXPECT_EQ(after.sa_handler, SIG_DFL);
}

} // namespace
