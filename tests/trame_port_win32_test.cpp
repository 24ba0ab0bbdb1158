// Windows, under Wine: quorvelin-trame --port on COM13, which tests/serial_pair_wine.sh joins
// to COM4 (beyond COM9, a port opens only through the device namespace).
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#ifndef QUORVELIN_TRAME
#error "QUORVELIN_TRAME must name the program under test"
#endif

namespace {

// One end of the line, opened by the test itself.
class Com {
public:
    explicit Com(const char* path)
        : handle_(CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                              nullptr)) {
        EXPECT_NE(handle_, INVALID_HANDLE_VALUE) << path;
        settings_.DCBlength = sizeof settings_;
        GetCommState(handle_, &settings_);
        COMMTIMEOUTS timeouts{};
        timeouts.ReadIntervalTimeout = 500;
        timeouts.ReadTotalTimeoutConstant = 2000;
        SetCommTimeouts(handle_, &timeouts);
    }
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;
    ~Com() { CloseHandle(handle_); }

    DCB& settings() { return settings_; }
    void apply() { SetCommState(handle_, &settings_); }
    std::string read() const {
        std::string got(4096, '\0');
        DWORD count = 0;
        ReadFile(handle_, got.data(), static_cast<DWORD>(got.size()), &count, nullptr);
        got.resize(count);
        return got;
    }

private:
    HANDLE handle_;
    DCB settings_{};
};

// The program's exit status, once it has ended.
DWORD runTrame(std::wstring arguments) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"quorvelin-trame.exe " + arguments + L" 46.714322 5.643542";
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

TEST(TramePort, SendsCountSentencesWithCrLfAt8N1OrEndsWithStatus2) {
    const std::string line =
        "$GPRMC,000000.000,A,4642.8593,N,00538.6125,E,0.00,000.00,000000,,,0*12\r\n";
    {
        // Settings that the program must undo.
        Com before("\\\\.\\COM13");
        before.settings().BaudRate = CBR_9600;
        before.settings().ByteSize = 7;
        before.settings().Parity = EVENPARITY;
        before.settings().StopBits = TWOSTOPBITS;
        before.settings().fOutxCtsFlow = TRUE;
        before.apply();
    }
    const Com receiving("\\\\.\\COM4");
    EXPECT_EQ(runTrame(L"--port COM13 --count 3 --interval 0.05"), 0u);
    EXPECT_EQ(receiving.read(), line + line + line);
    Com after("\\\\.\\COM13");
    const DCB& settings = after.settings();
    EXPECT_EQ(settings.BaudRate, 4800u);
    EXPECT_EQ(settings.ByteSize, 8);
    EXPECT_EQ(settings.Parity, NOPARITY);
    EXPECT_EQ(settings.StopBits, ONESTOPBIT);
    EXPECT_FALSE(settings.fOutxCtsFlow);

    EXPECT_EQ(runTrame(L"--port COM29"), 2u);
}

} // namespace
