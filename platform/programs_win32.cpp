#include "platform/Programs.h"

#include "platform/Failure.h"
#include "text/Wide.h"

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

// Starts exactly the program file `application`; the command line is what it receives.
// False, with GetLastError set, when it cannot be started.
bool start(const std::wstring& application, std::wstring commandLine, int showStyle) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showStyle);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &process)) {
        return false;
    }
    // Not waited for: the handles are only closed.
    const Handle thread(process.hThread);
    const Handle started(process.hProcess);
    return true;
}

} // namespace

bool PlainFileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    constexpr DWORD notPlain =
        FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & notPlain) == 0;
}

// The path comes from the registry, in the ANSI code page.
void StartProgramFile(const std::string& path, int showStyle) {
    const std::wstring file = text::Wide(path, CP_ACP);
    if (!start(file, L"\"" + file + L"\"", showStyle)) {
        throw Failure("Impossible de lancer « " + path + " » (erreur " +
                      std::to_string(GetLastError()) + ")");
    }
}

// The explorer of the Windows folder, named as the program to start: a bare "explorer.exe"
// would be looked for in the program's folder and the current folder first, where anyone may
// have put one. Its command line is the one it has always had, the address as typed.
PageOpening OpenWebPage(const std::string& address) {
    wchar_t folder[MAX_PATH];
    const UINT length = GetWindowsDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return PageOpening::Known(false);
    }
    const std::wstring explorer = std::wstring(folder, length) + L"\\explorer.exe";
    return PageOpening::Known(
        start(explorer, L"explorer.exe " + text::Wide(address, CP_UTF8), ShowMinimized));
}

// The explorer reports nothing back: every verdict here is known at once.
void PageOpening::close() {
    descriptor_ = -1;
}

bool PageOpening::opened() {
    return opened_;
}

} // namespace platform
