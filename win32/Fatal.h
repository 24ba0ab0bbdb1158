// An error that no event handler traps ends the program after telling the user why. Errors
// must not cross the system's frames, so every window procedure runs its handlers through
// Guarded.
#pragma once

#include "win32/Win32.h"

#include <exception>
#include <string>

namespace win32 {

// Shows the fatal-error box: caption, then text.
using FatalBox = void (*)(const std::wstring& caption, const std::wstring& text);

// The system's modal box by default; tests record what it would show.
void SetFatalBox(FatalBox box);

// Shows the French description of the error in a box captioned with the program's title, then
// ends the process, with every window it has, with status 1.
[[noreturn]] void FatalError(std::exception_ptr error) noexcept;

template <typename Handler> LRESULT Guarded(Handler&& handler) noexcept {
    try {
        return handler();
    } catch (...) {
        FatalError(std::current_exception());
    }
}

} // namespace win32
