// Tells screen readers what a control now shows while the focus stays where it is: a UI
// Automation notification where the system has them (Windows 10 1709 and later), and in every
// case the live-region event that Microsoft Active Accessibility clients follow.
#pragma once

#include "win32/Win32.h"

#include <string>

namespace win32 {

void Announce(HWND control, const std::wstring& text);

} // namespace win32
