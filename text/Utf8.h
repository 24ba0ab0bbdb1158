// UTF-8, read a character at a time and written, for every part of the program.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace text {

// The character that starts a text. An ill-formed sequence (a stray byte, an overlong form, a
// surrogate, beyond U+10FFFF, cut short) is one U+FFFD over its maximal valid start, at least
// one byte, with `valid` false.
struct Character {
    char32_t code = 0;
    std::size_t length = 0;
    bool valid = false;
};

// `utf8` must not be empty.
Character FirstCharacter(std::string_view utf8);

void AppendUtf8(std::string& utf8, char32_t code);

} // namespace text
