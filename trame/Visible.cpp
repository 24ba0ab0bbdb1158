#include "trame/Visible.h"

#include "composer/Composer.h"

#include <cstdio>
#include <utility>

namespace trame {
namespace {

// Characters a terminal shows as nothing or as a blank: C1 controls, spaces other than U+0020,
// line and paragraph separators, and formatting characters (joiners, bidirectional marks,
// variation selectors, tags).
constexpr std::pair<char32_t, char32_t> Unseen[] = {
    {0x80, 0xA0},       {0xAD, 0xAD},       {0x34F, 0x34F},   {0x600, 0x605},   {0x61C, 0x61C},
    {0x6DD, 0x6DD},     {0x70F, 0x70F},     {0x115F, 0x1160}, {0x1680, 0x1680}, {0x17B4, 0x17B5},
    {0x180B, 0x180F},   {0x2000, 0x200F},   {0x2028, 0x202F}, {0x205F, 0x206F}, {0x3000, 0x3000},
    {0x3164, 0x3164},   {0xFE00, 0xFE0F},   {0xFEFF, 0xFEFF}, {0xFFA0, 0xFFA0}, {0xFFF9, 0xFFFB},
    {0x1D173, 0x1D17A}, {0xE0000, 0xE0FFF},
};

bool unseen(char32_t c) {
    for (const auto& [first, last] : Unseen) {
        if (c >= first && c <= last) {
            return true;
        }
    }
    return false;
}

// The length of the well-formed UTF-8 character that text starts with, 0 if there is none
// (a lone continuation byte, an overlong form, a surrogate, a cut sequence).
std::size_t utf8Length(std::string_view text, char32_t& code) {
    const auto lead = static_cast<unsigned char>(text[0]);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || text.size() < length) {
        return 0;
    }
    code = static_cast<char32_t>(lead & (0x7Fu >> length));
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        code = static_cast<char32_t>(code << 6 | (next & 0x3Fu));
    }
    constexpr char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code < least[length] || code > 0x10FFFF || surrogate ? 0 : length;
}

} // namespace

// A received value as a message may show it: a byte that is no character, or a control, as
// \xHH; a character that cannot be seen as U+HHHH. Raw, they would vanish or act on the terminal.
std::string Visible(std::string_view text) {
    std::string shown;
    while (!text.empty()) {
        const auto byte = static_cast<unsigned char>(text[0]);
        char32_t code = 0;
        std::size_t length = byte < 0x80 ? 1 : utf8Length(text, code);
        if (byte < 0x20 || byte == 0x7F || length == 0) {
            shown += "\\x" + composer::HexDigits(byte);
            length = 1;
        } else if (byte >= 0x80 && unseen(code)) {
            char name[16];
            std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(code));
            shown += name;
        } else {
            shown += text.substr(0, length);
        }
        text.remove_prefix(length);
    }
    return shown;
}

} // namespace trame
