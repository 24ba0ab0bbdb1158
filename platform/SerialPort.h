// A serial line to send bytes on (a GPS tracker's or a TNC's input), and the user's request to
// stop a program that sends on it (Ctrl+C). Failures are Failure errors with a French text.
#pragma once

#include <array>
#include <chrono>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

// The speeds that serial ports offer on every system; NMEA 0183 itself runs at 4800.
inline constexpr std::array<int, 11> SerialSpeeds = {300,   600,   1200,  2400,   4800,  9600,
                                                     19200, 38400, 57600, 115200, 230400};

// One serial port, held exclusively while the object lives: raw bytes, 8 data bits, no parity,
// one stop bit, no flow control. Opened as named: "/dev/ttyUSB0" on Linux, "COM3" on Windows.
// Its settings are put back as they were found when it is closed; on POSIX even when the
// process is killed, by a helper process that holds the port until then.
class SerialPort {
public:
    // Throws Failure when the port is missing, busy, not allowed or not a serial port, or
    // when the speed is not one of SerialSpeeds.
    SerialPort(const std::string& name, int speed);
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;
    ~SerialPort();

    // Writes every byte and returns true once they have left the port; false as soon as a
    // request to stop comes (see StopRequest) while the line takes no more bytes.
    bool send(std::string_view bytes);

private:
    struct System; // the open port and the settings it had, on each system
    std::string name_;
    std::unique_ptr<System> system_;
};

// While the object lives, Ctrl+C (and, on POSIX, SIGTERM and SIGHUP, unless they were ignored)
// no longer ends the process: it is a request to stop, which ends the waits between two
// sendings and, on POSIX, a sending held up by a line that takes no more bytes. SIGPIPE is
// ignored meanwhile: a closed standard error fails its writes instead. One object at a time.
class StopRequest {
public:
    StopRequest();
    StopRequest(const StopRequest&) = delete;
    StopRequest& operator=(const StopRequest&) = delete;
    ~StopRequest();

    // Waits until `deadline` or a request to stop, whichever comes first; true on a request
    // (one made earlier counts too).
    bool waitUntil(std::chrono::steady_clock::time_point deadline) const;
};

} // namespace platform
