#include "platform/SerialPort.h"

#include "platform/Failure.h"
#include "platform/SystemError.h"
#include "platform/Visible.h"

#include <windows.h>

#include <algorithm>
#include <string>

namespace platform {
namespace {

// "COM10" and beyond open only through the device namespace, and "COM1" to "COM9" open there too.
std::string devicePath(const std::string& name) {
    return name.starts_with("\\\\") ? name : "\\\\.\\" + name;
}

// Windows answers ERROR_ACCESS_DENIED while another program holds the port, and a device that
// is no serial port refuses its settings with ERROR_INVALID_FUNCTION or the like.
[[noreturn]] void throwOpenFailure(const std::string& name, DWORD error) {
    const std::string shown = Visible(name);
    const std::string port = "Le port série « " + shown + " »";
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        throw Failure(port + " n'existe pas : vérifiez son nom (COM3, COM10…) et que " +
                      "l'adaptateur est branché");
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        throw Failure(port + " est occupé par un autre programme : fermez-le, puis recommencez");
    case ERROR_INVALID_FUNCTION:
    case ERROR_INVALID_HANDLE:
    case ERROR_NOT_SUPPORTED:
        throw Failure("« " + shown + " » n'est pas un port série");
    default:
        throw Failure("Impossible d'ouvrir le port série « " + shown +
                      " » : " + FrenchReason(static_cast<int>(error)));
    }
}

// A handle, closed with the object.
class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { CloseHandle(handle_); }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

// Opened without sharing: no other program can open the port while this one holds it.
HANDLE openPort(const std::string& name) {
    if (name.find('\0') != std::string::npos) {
        throwOpenFailure(name, ERROR_FILE_NOT_FOUND); // the name would be cut at the NUL
    }
    const HANDLE port = CreateFileA(devicePath(name).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (port == INVALID_HANDLE_VALUE) {
        throwOpenFailure(name, GetLastError());
    }
    return port;
}

// The settings and time-outs the port had when it was opened, put back when it is closed.
class FoundSettings {
public:
    FoundSettings(const std::string& name, HANDLE port) : port_(port) {
        settings_.DCBlength = sizeof settings_;
        if (!GetCommState(port, &settings_) || !GetCommTimeouts(port, &timeouts_)) {
            throwOpenFailure(name, GetLastError());
        }
    }
    FoundSettings(const FoundSettings&) = delete;
    FoundSettings& operator=(const FoundSettings&) = delete;
    ~FoundSettings() {
        SetCommState(port_, &settings_);
        SetCommTimeouts(port_, &timeouts_);
    }

private:
    HANDLE port_;
    DCB settings_{};
    COMMTIMEOUTS timeouts_{};
};

// Raw bytes, 8N1, no flow control of either kind; DTR and RTS raised, as receivers expect.
bool configure(HANDLE port, int speed) {
    DCB settings{};
    settings.DCBlength = sizeof settings;
    if (!GetCommState(port, &settings)) {
        return false;
    }
    settings.BaudRate = static_cast<DWORD>(speed);
    settings.ByteSize = 8;
    settings.Parity = NOPARITY;
    settings.StopBits = ONESTOPBIT;
    settings.fBinary = TRUE;
    settings.fParity = FALSE;
    settings.fOutxCtsFlow = FALSE;
    settings.fOutxDsrFlow = FALSE;
    settings.fDsrSensitivity = FALSE;
    settings.fOutX = FALSE;
    settings.fInX = FALSE;
    settings.fDtrControl = DTR_CONTROL_ENABLE;
    settings.fRtsControl = RTS_CONTROL_ENABLE;
    // A write gives up after half a second with part of its bytes written, so that a line that
    // takes no more bytes cannot hold up a request to stop.
    COMMTIMEOUTS timeouts{};
    timeouts.WriteTotalTimeoutConstant = 500;
    return SetCommState(port, &settings) && SetCommTimeouts(port, &timeouts);
}

// Ctrl+C and Ctrl+Break set this event instead of ending the process.
HANDLE stopEvent = nullptr;

bool stopRequested() {
    return stopEvent != nullptr && WaitForSingleObject(stopEvent, 0) == WAIT_OBJECT_0;
}

BOOL WINAPI onConsoleControl(DWORD control) {
    if (control == CTRL_C_EVENT || control == CTRL_BREAK_EVENT) {
        SetEvent(stopEvent);
        return TRUE;
    }
    return FALSE;
}

} // namespace

struct SerialPort::System {
    System(const std::string& name, int speed) : port(openPort(name)), found(name, port.get()) {
        if (!configure(port.get(), speed)) {
            throwOpenFailure(name, GetLastError());
        }
    }

    Handle port;
    FoundSettings found; // goes first: the port is put back before it is let go
};

SerialPort::SerialPort(const std::string& name, int speed) : name_(name) {
    if (std::find(SerialSpeeds.begin(), SerialSpeeds.end(), speed) == SerialSpeeds.end()) {
        throw Failure("Vitesse non prise en charge : " + std::to_string(speed) + " bauds");
    }
    system_ = std::make_unique<System>(name, speed);
}

SerialPort::~SerialPort() = default;

// FlushFileBuffers returns once the driver has sent what it held. A sending cut short by a
// request to stop drops what waits, which would go out later at the settings put back.
bool SerialPort::send(std::string_view bytes) {
    const HANDLE port = system_->port.get();
    const auto fail = [this] {
        throw Failure("Impossible d'écrire sur le port série « " + Visible(name_) +
                      " » : " + LastFrenchReason());
    };
    while (!bytes.empty()) {
        if (stopRequested()) {
            PurgeComm(port, PURGE_TXABORT | PURGE_TXCLEAR);
            return false;
        }
        DWORD written = 0;
        if (!WriteFile(port, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
            fail();
        }
        bytes.remove_prefix(written);
    }
    if (!FlushFileBuffers(port)) {
        fail();
    }
    return true;
}

StopRequest::StopRequest() {
    stopEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    SetConsoleCtrlHandler(onConsoleControl, TRUE);
}

StopRequest::~StopRequest() {
    SetConsoleCtrlHandler(onConsoleControl, FALSE);
    CloseHandle(stopEvent);
    stopEvent = nullptr;
}

bool StopRequest::waitUntil(std::chrono::steady_clock::time_point deadline) const {
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    const DWORD milliseconds = left.count() > 0 ? static_cast<DWORD>(left.count()) : 0;
    return WaitForSingleObject(stopEvent, milliseconds) == WAIT_OBJECT_0;
}

} // namespace platform
