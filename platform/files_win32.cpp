#include "platform/Failure.h"
#include "platform/FileCalls.h"
#include "platform/SystemError.h"

#include <windows.h>

#include <filesystem>

namespace platform::files {
namespace {

[[noreturn]] void fail(const std::string& what, const std::string& shown, DWORD error) {
    throw Failure(what + shown + " : " + FrenchReason(static_cast<int>(error)));
}

HANDLE handleOf(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

std::intptr_t handleValue(HANDLE handle) {
    return reinterpret_cast<std::intptr_t>(handle);
}

std::filesystem::path pathOf(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// The temporary to remove if Ctrl+C or the console's closing ends the program while it is
// written. The handler runs on a thread of its own; the name is set before it is installed.
wchar_t pendingTemporary[MAX_PATH * 4];

BOOL WINAPI removeTemporary(DWORD) {
    DeleteFileW(pendingTemporary);
    return FALSE; // the next handler, in the end the system's, ends the program
}

} // namespace

std::intptr_t StandardInput() {
    return handleValue(GetStdHandle(STD_INPUT_HANDLE));
}

std::intptr_t StandardOutput() {
    return handleValue(GetStdHandle(STD_OUTPUT_HANDLE));
}

std::intptr_t OpenToRead(const std::string& path, const std::string& shown) {
    const HANDLE file = CreateFileW(pathOf(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        const DWORD attributes = GetFileAttributesW(pathOf(path).c_str());
        fail("impossible de lire ", shown,
             attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)
                 ? ERROR_DIRECTORY
                 : error);
    }
    return handleValue(file);
}

std::size_t Read(std::intptr_t handle, char* bytes, std::size_t count, const std::string& shown) {
    DWORD got = 0;
    if (!ReadFile(handleOf(handle), bytes, static_cast<DWORD>(count), &got, nullptr)) {
        const DWORD error = GetLastError();
        if (error == ERROR_BROKEN_PIPE || error == ERROR_HANDLE_EOF) {
            return 0; // the writer is gone: the end
        }
        fail("impossible de lire ", shown, error);
    }
    return got;
}

void Write(std::intptr_t handle, const char* bytes, std::size_t count, const std::string& shown) {
    while (count > 0) {
        DWORD put = 0;
        const DWORD asked = static_cast<DWORD>(count < (1u << 30) ? count : (1u << 30));
        if (!WriteFile(handleOf(handle), bytes, asked, &put, nullptr)) {
            fail("impossible d'écrire dans ", shown, GetLastError());
        }
        bytes += put;
        count -= put;
    }
}

void Close(std::intptr_t handle) {
    CloseHandle(handleOf(handle));
}

Temporary CreateBeside(const std::string& path, const std::string& shown) {
    // A device (NUL, CON, a pipe) is written to, never replaced.
    const HANDLE existing =
        CreateFileW(pathOf(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (existing != INVALID_HANDLE_VALUE && GetFileType(existing) != FILE_TYPE_DISK) {
        return {handleValue(existing), {}, path};
    }
    if (existing != INVALID_HANDLE_VALUE) {
        CloseHandle(existing);
    }
    std::filesystem::path target = pathOf(path);
    std::error_code error;
    if (std::filesystem::is_symlink(target, error)) {
        target = std::filesystem::weakly_canonical(target, error);
    }
    std::filesystem::path folder = target.parent_path();
    wchar_t name[MAX_PATH];
    if (GetTempFileNameW(folder.empty() ? L"." : folder.c_str(), L"qvt", 0, name) == 0) {
        fail("impossible d'écrire dans ", shown, GetLastError());
    }
    const std::filesystem::path temporaryPath(name);
    const HANDLE file = CreateFileW(name, GENERIC_WRITE, FILE_SHARE_DELETE, nullptr,
                                    TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD failure = GetLastError();
        DeleteFileW(name);
        fail("impossible d'écrire dans ", shown, failure);
    }
    const std::u8string temporaryText = temporaryPath.u8string(), targetText = target.u8string();
    if (wcslen(name) < std::size(pendingTemporary)) {
        wcscpy_s(pendingTemporary, name);
        SetConsoleCtrlHandler(removeTemporary, TRUE);
    }
    return {handleValue(file), std::string(temporaryText.begin(), temporaryText.end()),
            std::string(targetText.begin(), targetText.end())};
}

void Replace(Temporary& temporary, const std::string& shown) {
    const HANDLE file = handleOf(temporary.handle);
    const bool flushed = FlushFileBuffers(file) != 0;
    const DWORD flushError = GetLastError();
    CloseHandle(file);
    temporary.handle = -1;
    if (!flushed && !temporary.path.empty()) {
        fail("impossible d'écrire dans ", shown, flushError);
    }
    if (temporary.path.empty()) {
        return; // written in place
    }
    if (!MoveFileExW(pathOf(temporary.path).c_str(), pathOf(temporary.target).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        fail("impossible d'écrire dans ", shown, GetLastError());
    }
    SetConsoleCtrlHandler(removeTemporary, FALSE);
}

void Discard(Temporary& temporary) noexcept {
    if (temporary.handle != -1) {
        CloseHandle(handleOf(temporary.handle));
        temporary.handle = -1;
    }
    if (!temporary.path.empty()) {
        DeleteFileW(pathOf(temporary.path).c_str());
        SetConsoleCtrlHandler(removeTemporary, FALSE);
    }
}

} // namespace platform::files
