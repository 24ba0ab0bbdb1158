#include "platform/Programs.h"

#include "platform/Failure.h"

#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>

namespace platform {
namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using Handle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

// application may be null: the command line's first word then names the program.
void start(const char* application, std::string commandLine, int showStyle) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showStyle);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(application, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        throw Failure("Impossible de lancer « " + commandLine + " » (erreur " +
                      std::to_string(GetLastError()) + ")");
    }
    // Not waited for: the handles are only closed.
    const Handle thread(process.hThread);
    const Handle started(process.hProcess);
}

} // namespace

bool PlainFileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    constexpr DWORD notPlain =
        FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & notPlain) == 0;
}

void StartProgramFile(const std::string& path, int showStyle) {
    start(path.c_str(), "\"" + path + "\"", showStyle);
}

void OpenWebPage(const std::string& address) {
    start(nullptr, "explorer.exe " + address, ShowMinimized);
}

} // namespace platform
