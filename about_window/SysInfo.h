// Finding and starting the system's information tool through the registry. No Qt here: the
// About window only wires its button and its message box to these.
#pragma once

#include "platform/Registry.h"

#include <functional>
#include <string>
#include <string_view>

namespace about_window {

// UTF-8; the window shows it with the program's title as caption.
inline constexpr std::string_view SysInfoUnavailable =
    "Les informations système ne sont pas disponibles actuellement";

// Reads one value of one key as text. True when the key opened and the value was read,
// whatever its type: REG_SZ gives its text, REG_DWORD "&h" and its hexadecimal digits, any
// other type leaves KeyVal as it was. False, with KeyVal empty, otherwise. A value of no
// bytes at all throws std::invalid_argument.
bool GetKeyValue(platform::registry::Key KeyRoot, const std::string& KeyName,
                 const std::string& SubKeyRef, std::string& KeyVal);

// Starts the tool that the registry names, or calls showUnavailable once when it cannot.
void StartSysInfo(const std::function<void()>& showUnavailable);

} // namespace about_window
