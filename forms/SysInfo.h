// Finding and starting the system's information tool: on Windows through the registry
// (SysInfo_win32.cpp), elsewhere among the desktop tools that are installed
// (SysInfo_posix.cpp). No Qt here: the About window only wires its button and its message
// box to this.
#pragma once

#include <functional>
#include <string_view>

namespace forms {

// UTF-8; the window shows it with the program's title as caption.
inline constexpr std::string_view SysInfoUnavailable =
    "Les informations système ne sont pas disponibles actuellement";

// Starts the system's information tool, shown normally and not waited for, or calls
// showUnavailable once when there is none or it cannot be started.
void StartSysInfo(const std::function<void()>& showUnavailable);

// The system's own part: starts the tool and gives true, or gives false when there is none.
// A failed start throws.
bool StartTool();

} // namespace forms
