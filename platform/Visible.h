// Texts from the user (a port's name, a file's) quoted in messages, with what would not show
// written out so that the message says what was really typed.
#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace platform {

// `utf8` with each character that shows nothing written as its code: a control byte (NUL, tab,
// DEL…) or a byte that is not UTF-8 as \x00, a Unicode control, space, separator or format
// character (U+00A0, U+202F, U+200B, U+FEFF…) as U+202F. The ASCII space stays as it is.
std::string Visible(std::string_view utf8);

// The length of the well-formed UTF-8 sequence at the start of `text` (not empty) and its code
// point; 0 when it is not one (a stray byte, an overlong form, a surrogate, beyond U+10FFFF).
std::pair<std::size_t, char32_t> DecodeUtf8(std::string_view text);

} // namespace platform
