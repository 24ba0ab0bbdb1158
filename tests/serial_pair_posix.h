// A serial line made of two pseudo-terminals that socat joins, for the serial port's tests on
// Linux: what is written to one end is read from the other.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <stdlib.h>
#include <string>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace testsupport {

class SerialPair {
public:
    SerialPair() {
        char pattern[] = "/tmp/quorvelin-serial-XXXXXX";
        folder_ = mkdtemp(pattern);
        const std::string a = "pty,raw,echo=0,b4800,link=" + sending();
        const std::string b = "pty,raw,echo=0,b4800,link=" + receiving();
        socat_ = fork();
        if (socat_ == 0) {
            execlp("socat", "socat", a.c_str(), b.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        for (int i = 0; i < 200 && !(exists(sending()) && exists(receiving())); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (!exists(sending()) || !exists(receiving())) {
            ADD_FAILURE() << "socat made no pseudo-terminal pair";
        }
    }
    SerialPair(const SerialPair&) = delete;
    SerialPair& operator=(const SerialPair&) = delete;
    ~SerialPair() {
        kill(socat_, SIGTERM);
        waitpid(socat_, nullptr, 0);
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    // The end the program under test writes to, and the end the test reads from.
    std::string sending() const { return folder_ + "/sending"; }
    std::string receiving() const { return folder_ + "/receiving"; }

private:
    static bool exists(const std::string& path) { return std::filesystem::exists(path); }

    std::string folder_;
    pid_t socat_ = -1;
};

// Reads what arrives on a serial port at 4800 bauds, 8N1.
class SerialReader {
public:
    explicit SerialReader(const std::string& path)
        : port_(open(path.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK)) {
        termios settings{};
        tcgetattr(port_, &settings);
        cfmakeraw(&settings);
        cfsetispeed(&settings, B4800);
        cfsetospeed(&settings, B4800);
        tcsetattr(port_, TCSANOW, &settings);
    }
    SerialReader(const SerialReader&) = delete;
    SerialReader& operator=(const SerialReader&) = delete;
    ~SerialReader() { close(port_); }

    // What has arrived once `size` bytes are there, or once nothing came for `quiet`.
    std::string read(std::size_t size, std::chrono::milliseconds quiet) {
        std::string got;
        auto last = std::chrono::steady_clock::now();
        while (got.size() < size && std::chrono::steady_clock::now() - last < quiet) {
            char buffer[256];
            const ssize_t count = ::read(port_, buffer, sizeof buffer);
            if (count > 0) {
                got.append(buffer, static_cast<std::size_t>(count));
                last = std::chrono::steady_clock::now();
            } else {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        }
        return got;
    }

private:
    int port_;
};

} // namespace testsupport
