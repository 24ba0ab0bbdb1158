// Texts from the user quoted in messages: what cannot be seen is written as its code.
#pragma once

#include <string>
#include <string_view>

namespace trame {

// The text with control characters and bytes that are not UTF-8 written as "\xHH", and
// spaces other than the plain one and invisible characters (U+202F, U+200B, U+FEFF…) as
// "U+HHHH"; everything else as it is.
std::string Visible(std::string_view text);

} // namespace trame
