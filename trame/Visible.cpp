#include "trame/Visible.h"

#include "composer/Composer.h"

#include <cstdint>

namespace trame {
namespace {

// The character that starts `text` and its length in bytes; length 0 for a byte that starts
// no well-formed UTF-8 character (overlong forms and surrogates included).
struct Decoded {
    char32_t code = 0;
    std::size_t length = 0;
};

Decoded decode(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (lead < 0x80) {
        return {lead, 1};
    }
    if (lead < 0xC2 || lead > 0xF4 || text.size() < length) {
        return {};
    }
    char32_t code = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0) != 0x80) {
            return {};
        }
        code = (code << 6) | (next & 0x3F);
    }
    constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000)) {
        return {};
    }
    return {code, length};
}

bool invisible(char32_t c) {
    return c == 0xA0 || c == 0xAD || (c >= 0x80 && c < 0xA0) || (c >= 0x2000 && c <= 0x200F) ||
           (c >= 0x2028 && c <= 0x202F) || (c >= 0x205F && c <= 0x206F) || c == 0x3000 ||
           c == 0xFEFF || (c >= 0xFFF9 && c <= 0xFFFB);
}

std::string codeOf(char32_t c) {
    std::string text = "U+";
    for (int shift = c > 0xFFFF ? 16 : 8; shift >= 0; shift -= 8) {
        text += composer::HexDigits(static_cast<std::uint8_t>(c >> shift));
    }
    return text;
}

} // namespace

std::string Visible(std::string_view text) {
    std::string shown;
    while (!text.empty()) {
        const Decoded c = decode(text);
        if (c.length == 0 || c.code < 0x20 || c.code == 0x7F) {
            shown += "\\x" + composer::HexDigits(static_cast<std::uint8_t>(text[0]));
            text.remove_prefix(1);
            continue;
        }
        shown += invisible(c.code) ? codeOf(c.code) : std::string(text.substr(0, c.length));
        text.remove_prefix(c.length);
    }
    return shown;
}

} // namespace trame
