// The registry reader of the Windows launcher (SysInfo_win32.cpp). It is built and tested on
// every system: on Windows against the system's registry, elsewhere against the tests'
// in-memory stand-in; the product links it on Windows only.
#pragma once

#include "platform/Registry.h"

#include <string>

namespace forms {

// Reads one value of one key as text. True when the key opened and the value was read,
// whatever its type: REG_SZ gives its text, REG_DWORD "&h" and its hexadecimal digits, any
// other type leaves KeyVal as it was. False, with KeyVal empty, otherwise. A value of no
// bytes at all throws std::invalid_argument.
bool GetKeyValue(platform::registry::Key KeyRoot, const std::string& KeyName,
                 const std::string& SubKeyRef, std::string& KeyVal);

} // namespace forms
