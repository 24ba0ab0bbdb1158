// Texts from the user (a port's name, a file's) quoted in messages, with what would not show
// written out so that the message says what was really typed.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// `utf8` with each character that shows nothing written as its code: a control byte (NUL, tab,
// DEL…) or a byte that is not UTF-8 as \x00, a Unicode control, space, separator or format
// character (U+00A0, U+202F, U+200B, U+FEFF…) as U+202F. The ASCII space stays as it is.
std::string Visible(std::string_view utf8);

} // namespace platform
