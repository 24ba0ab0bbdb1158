// Windows (under Wine, COM13 and COM4 joined by tests/serial_pair_wine.sh): the serial port's
// settings and bytes, its French messages, and quorvelin-trame --port sending on it.
#include "platform/Failure.h"
#include "platform/SerialPort.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#ifndef QUORVELIN_TRAME
#error "QUORVELIN_TRAME must name the program under test"
#endif

namespace {

// Beyond COM9, as only the device namespace opens.
const std::string sending = "COM13";

// One end of the line, opened by the test itself.
class Com {
public:
    explicit Com(const char* path)
        : handle_(CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                              nullptr)) {
        EXPECT_NE(handle_, INVALID_HANDLE_VALUE) << path;
        COMMTIMEOUTS timeouts{};
        timeouts.ReadIntervalTimeout = 200;
        timeouts.ReadTotalTimeoutConstant = 2000;
        SetCommTimeouts(handle_, &timeouts);
    }
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;
    ~Com() { CloseHandle(handle_); }

    DCB settings() const {
        DCB settings{};
        settings.DCBlength = sizeof settings;
        EXPECT_TRUE(GetCommState(handle_, &settings));
        return settings;
    }
    void set(DCB settings) const { EXPECT_TRUE(SetCommState(handle_, &settings)); }

    std::string read(std::size_t size) const {
        std::string got(size, '\0');
        DWORD count = 0;
        EXPECT_TRUE(ReadFile(handle_, got.data(), static_cast<DWORD>(size), &count, nullptr));
        got.resize(count);
        return got;
    }

private:
    HANDLE handle_;
};

TEST(SerialPort, SendsRawBytesAtTheSpeedAsked8N1WithoutFlowControl) {
    const Com receiving("\\\\.\\COM4");
    for (const int speed : {4800, 115200}) {
        SCOPED_TRACE(speed);
        {
            const Com before("\\\\.\\COM13");
            DCB odd = before.settings();
            odd.BaudRate = CBR_9600;
            odd.ByteSize = 7;
            odd.Parity = EVENPARITY;
            odd.StopBits = TWOSTOPBITS;
            odd.fOutxCtsFlow = TRUE;
            odd.fOutX = TRUE;
            before.set(odd);
        }
        const std::string sentence = "$GPRMC,A,4642.8593,N*12\n\r\n";
        {
            platform::SerialPort port(sending, speed);
            port.send(sentence);
        }
        EXPECT_EQ(receiving.read(sentence.size()), sentence);
        const DCB after = Com("\\\\.\\COM13").settings();
        EXPECT_EQ(after.BaudRate, static_cast<DWORD>(speed));
        EXPECT_EQ(after.ByteSize, 8);
        EXPECT_EQ(after.Parity, NOPARITY);
        EXPECT_EQ(after.StopBits, ONESTOPBIT);
        EXPECT_FALSE(after.fOutxCtsFlow);
        EXPECT_FALSE(after.fOutX);
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

// A busy port is left out: Wine's serial driver lets a port be opened twice, Windows' does not.
TEST(SerialPort, SaysInFrenchWhyItCannotBeOpened) {
    const struct {
        const char* what;
        std::function<void()> attempt;
        std::string expected;
    } cases[] = {
        {"missing", [] { platform::SerialPort("COM29", 4800); },
         "Le port série « COM29 » n'existe pas : vérifiez son nom (COM3, COM10…) et que "
         "l'adaptateur est branché"},
        {"odd speed", [] { platform::SerialPort(sending, 4000); },
         "Vitesse non prise en charge : 4000 bauds"},
    };
    for (const auto& [what, attempt, expected] : cases) {
        EXPECT_EQ(failureOf(attempt), expected) << what;
    }
}

// The program's exit status, once it has ended.
DWORD runTrame(std::wstring arguments) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"quorvelin-trame.exe " + arguments;
    EXPECT_TRUE(CreateProcessW(std::filesystem::path(QUORVELIN_TRAME).wstring().c_str(),
                               commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process));
    CloseHandle(process.hThread);
    DWORD status = 99;
    if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, status);
    }
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hProcess);
    return status;
}

TEST(TramePort, SendsCountSentencesWithCrLfOrEndsWithStatus2) {
    const std::string line =
        "$GPRMC,000000.000,A,4642.8593,N,00538.6125,E,0.00,000.00,000000,,,0*12\r\n";
    const Com receiving("\\\\.\\COM4");
    EXPECT_EQ(runTrame(L"--port COM13 --count 3 --interval 0.05 46.714322 5.643542"), 0u);
    EXPECT_EQ(receiving.read(4 * line.size()), line + line + line);
    EXPECT_EQ(runTrame(L"--port COM29 46.714322 5.643542"), 2u);
}

} // namespace
