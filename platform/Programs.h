// Starting other programs without waiting for them, and the plain-file test that comes
// before starting one. Failures to start a program file are Failure errors with a French text.
#pragma once

#include <string>
#include <utility>

namespace platform {

// Window show styles of the started program (Windows' SW_ values; other systems ignore them).
inline constexpr int ShowNormal = 1;
inline constexpr int ShowMinimized = 2;

// True for an ordinary file: not a folder, and on Windows not marked hidden or system.
bool PlainFileExists(const std::string& path);

// Starts exactly this program file, with no search along the path and no command-line
// parsing of its name, so a path with blanks cannot start another program.
void StartProgramFile(const std::string& path, int showStyle);

// What became of a request to open a web page. Where the system's opener reports back (its
// exit status on Linux), the verdict comes after OpenWebPage has returned: the caller watches
// descriptor() and asks opened() once it is readable, never waiting on the opener itself.
// Closing the object before then abandons the verdict; the opener runs on regardless.
class PageOpening {
public:
    static PageOpening Known(bool opened) { return {-1, -1, opened}; }
    // The opener's process, and a descriptor that becomes readable when it has ended.
    static PageOpening Pending(int descriptor, int process) { return {descriptor, process, false}; }
    PageOpening(PageOpening&& other) noexcept
        : descriptor_(std::exchange(other.descriptor_, -1)), process_(other.process_),
          opened_(other.opened_) {}
    PageOpening& operator=(PageOpening&& other) noexcept {
        if (this != &other) {
            close();
            descriptor_ = std::exchange(other.descriptor_, -1);
            process_ = other.process_;
            opened_ = other.opened_;
        }
        return *this;
    }
    ~PageOpening() { close(); }

    // -1 when the verdict is known; otherwise a descriptor that becomes readable with it.
    int descriptor() const { return descriptor_; }
    // True when the page was handed over to the opener and it reported no failure. Once the
    // descriptor is readable: collects the opener's exit status and closes the descriptor.
    bool opened();

private:
    PageOpening(int descriptor, int process, bool opened)
        : descriptor_(descriptor), process_(process), opened_(opened) {}
    void close();

    int descriptor_;
    int process_;
    bool opened_;
};

// Opens a web page with the system's handler, minimised where the system allows. Never
// throws: whatever goes wrong ends in a verdict of false.
PageOpening OpenWebPage(const std::string& address);

} // namespace platform
