// Windows, under Wine: quorvelin-trame --port on COM13, which tests/serial_pair_wine.sh joins
// to COM4 (beyond COM9, a port opens only through the device namespace).
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
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
    // Every field of the settings found at open, so that a failed comparison shows which differs.
    std::string described() const {
        const DCB& s = settings_;
        std::ostringstream text;
        text << "baud " << s.BaudRate << " size " << +s.ByteSize << " parity " << +s.Parity
             << " stop " << +s.StopBits << " binary " << s.fBinary << " checks " << s.fParity
             << " cts " << s.fOutxCtsFlow << " dsr " << s.fOutxDsrFlow << " dtr " << s.fDtrControl
             << " dsrSensitive " << s.fDsrSensitivity << " xoffContinues " << s.fTXContinueOnXoff
             << " outX " << s.fOutX << " inX " << s.fInX << " rts " << s.fRtsControl
             << " abortOnError " << s.fAbortOnError << " xon " << +s.XonChar << " xoff "
             << +s.XoffChar;
        return text.str();
    }
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

struct Ended {
    DWORD status;
    std::string err;
};

// The program run to its end, its standard error kept in a file.
Ended runTrame(std::wstring arguments) {
    const std::filesystem::path errPath =
        std::filesystem::temp_directory_path() / "quorvelin-trame-port-err.txt";
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    const HANDLE err = CreateFileW(errPath.wstring().c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                   &inherited, CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"quorvelin-trame.exe " + arguments + L" 46.714322 5.643542";
    EXPECT_TRUE(CreateProcessW(std::filesystem::path(QUORVELIN_TRAME).wstring().c_str(),
                               commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                               &startup, &process));
    CloseHandle(process.hThread);
    CloseHandle(err);
    DWORD status = 99;
    if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, status);
    }
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hProcess);
    std::ostringstream text;
    text << std::ifstream(errPath, std::ios::binary).rdbuf();
    return {status, text.str()};
}

TEST(TramePort, SendsCountSentencesWithCrLfAt8N1AndGivesThePortBackAsItWasFound) {
    const std::string line =
        "$GPRMC,000000.000,A,4642.8593,N,00538.6125,E,0.00,000.00,000000,,,0*12\r\n";
    {
        // Settings that a program that sends would not choose.
        Com before("\\\\.\\COM13");
        before.settings().BaudRate = CBR_1200;
        before.settings().ByteSize = 7;
        before.settings().Parity = ODDPARITY;
        before.settings().StopBits = TWOSTOPBITS;
        before.settings().fOutxCtsFlow = TRUE;
        before.settings().fOutX = TRUE;
        before.settings().fRtsControl = RTS_CONTROL_HANDSHAKE;
        before.apply();
    }
    const std::string found = Com("\\\\.\\COM13").described();
    const Com receiving("\\\\.\\COM4");
    EXPECT_EQ(runTrame(L"--port COM13 --count 3 --interval 0.05").status, 0u);
    EXPECT_EQ(receiving.read(), line + line + line);
    EXPECT_EQ(Com("\\\\.\\COM13").described(), found);
}

// Wine lets a serial port be opened twice: "busy" is tested on Linux only.
TEST(TramePort, APortItCannotUseEndsItWithStatus2AndTheReasonInFrench) {
    const struct {
        std::wstring port;
        std::string reason;
    } cases[] = {
        {L"COM29", "Le port série « COM29 » n'existe pas : vérifiez son nom (COM3, COM10…) et "
                   "que l'adaptateur est branché"},
        {L"NUL", "« NUL » n'est pas un port série"},
        {L"COM\u202F29\u0001",
         "Impossible d'ouvrir le port série « COMU+202F29\\x01 » : nom de fichier incorrect"},
    };
    for (const auto& [port, reason] : cases) {
        const Ended run = runTrame(L"--port \"" + port + L"\"");
        EXPECT_EQ(run.status, 2u);
        EXPECT_EQ(run.err.find("quorvelin-trame : " + reason), 0u) << run.err;
    }
}

} // namespace
