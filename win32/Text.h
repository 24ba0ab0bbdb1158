// The windows' texts are UTF-8; the system's wide functions take UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace win32 {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

} // namespace win32
