// The windows' texts are UTF-8; the system's wide functions take UTF-16.
#pragma once

#include "text/Wide.h"

#include <string>
#include <string_view>

namespace win32 {

inline std::wstring Wide(std::string_view utf8) {
    return text::Wide(utf8);
}

inline std::string Utf8(std::wstring_view wide) {
    return text::Narrow(wide);
}

} // namespace win32
