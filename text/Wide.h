// Windows' wide texts (UTF-16) and the program's narrow ones, for the system's W functions.
#pragma once

#include <string>
#include <string_view>

namespace text {

// `narrow` in the code page given (UTF-8 by default; CP_ACP for what the registry holds).
std::wstring Wide(std::string_view narrow, unsigned codePage = 65001);

// UTF-8.
std::string Narrow(std::wstring_view wide);

} // namespace text
