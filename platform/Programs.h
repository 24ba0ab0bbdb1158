// Starting other programs without waiting for them, and the plain-file test that comes
// before starting one. Failures to start are Failure errors with a French text.
#pragma once

#include <string>

namespace platform {

// Window show styles of the started program (Windows' SW_ values; other systems ignore them).
inline constexpr int ShowNormal = 1;
inline constexpr int ShowMinimized = 2;

// True for an ordinary file: not a folder, and on Windows not marked hidden or system.
bool PlainFileExists(const std::string& path);

// Starts exactly this program file, with no search along the path and no command-line
// parsing of its name, so a path with blanks cannot start another program.
void StartProgramFile(const std::string& path, int showStyle);

// Opens a web page with the system's handler, minimised where the system allows.
void OpenWebPage(const std::string& address);

} // namespace platform
