#include "platform/SerialPort.h"

#include "platform/Failure.h"

#include <windows.h>

#include <algorithm>
#include <string>

namespace platform {
namespace {

HANDLE handleOf(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

// "COM10" and beyond open only through the device namespace, and "COM1" to "COM9" open there too.
std::string devicePath(const std::string& name) {
    return name.starts_with("\\\\") ? name : "\\\\.\\" + name;
}

[[noreturn]] void throwOpenFailure(const std::string& name, DWORD error) {
    const std::string port = "Le port série « " + name + " »";
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        throw Failure(port + " n'existe pas : vérifiez son nom (COM3, COM10…) et que " +
                      "l'adaptateur est branché");
    case ERROR_ACCESS_DENIED: // what Windows answers while another program holds the port
    case ERROR_SHARING_VIOLATION:
        throw Failure(port + " est occupé par un autre programme : fermez-le, puis recommencez");
    default:
        throw Failure("Impossible d'ouvrir le port série « " + name + " » (erreur " +
                      std::to_string(error) + ")");
    }
}

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

// Opened without sharing: no other program can open the port while this object holds it.
SerialPort::SerialPort(const std::string& name, int speed) : name_(name), handle_(0) {
    if (std::find(SerialSpeeds.begin(), SerialSpeeds.end(), speed) == SerialSpeeds.end()) {
        throw Failure("Vitesse non prise en charge : " + std::to_string(speed) + " bauds");
    }
    const HANDLE port = CreateFileA(devicePath(name).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (port == INVALID_HANDLE_VALUE) {
        throwOpenFailure(name, GetLastError());
    }
    if (!configure(port, speed)) {
        const DWORD error = GetLastError();
        CloseHandle(port);
        throw Failure("« " + name + " » n'est pas un port série (erreur " + std::to_string(error) +
                      ")");
    }
    handle_ = reinterpret_cast<std::intptr_t>(port);
}

SerialPort::~SerialPort() {
    CloseHandle(handleOf(handle_));
}

// FlushFileBuffers returns once the driver has sent what it held.
bool SerialPort::send(std::string_view bytes) {
    const HANDLE port = handleOf(handle_);
    while (!bytes.empty()) {
        if (stopRequested()) {
            return false;
        }
        DWORD written = 0;
        if (!WriteFile(port, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
            throw Failure("Impossible d'écrire sur le port série « " + name_ + " » (erreur " +
                          std::to_string(GetLastError()) + ")");
        }
        bytes.remove_prefix(written);
    }
    FlushFileBuffers(port);
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
