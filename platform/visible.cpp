#include "platform/Visible.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <utility>

namespace platform {
namespace {

// Unicode's controls (Cc) beyond ASCII, spaces (Zs) but U+0020, separators (Zl, Zp) and format
// characters (Cf), Unicode 15, as ranges of code points.
constexpr std::array<std::pair<char32_t, char32_t>, 25> unseen = {{
    {0x80, 0xA0},       {0xAD, 0xAD},       {0x600, 0x605},     {0x61C, 0x61C},
    {0x6DD, 0x6DD},     {0x70F, 0x70F},     {0x890, 0x891},     {0x8E2, 0x8E2},
    {0x1680, 0x1680},   {0x180E, 0x180E},   {0x2000, 0x200F},   {0x2028, 0x202F},
    {0x205F, 0x2064},   {0x2066, 0x206F},   {0x3000, 0x3000},   {0xFEFF, 0xFEFF},
    {0xFFF9, 0xFFFB},   {0x110BD, 0x110BD}, {0x110CD, 0x110CD}, {0x13430, 0x1343F},
    {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A}, {0xE0001, 0xE0001}, {0xE0020, 0xE007F},
    {0xFFFE, 0xFFFF}, // not characters at all
}};

bool shows(char32_t c) {
    return std::none_of(unseen.begin(), unseen.end(),
                        [c](const auto& range) { return range.first <= c && c <= range.second; });
}

} // namespace

std::pair<std::size_t, char32_t> DecodeUtf8(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (lead < 0x80) {
        return {1, lead};
    }
    if (lead < 0xC2 || lead > 0xF4 || text.size() < length) {
        return {0, 0};
    }
    char32_t c = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return {0, 0};
        }
        c = (c << 6) | (byte(i) & 0x3F);
    }
    constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool wellFormed = c >= smallest[length] && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
    return {wellFormed ? length : 0, c};
}

namespace {

std::string code(const char* format, unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

} // namespace

std::string Visible(std::string_view utf8) {
    std::string shown;
    while (!utf8.empty()) {
        const auto [length, c] = DecodeUtf8(utf8);
        if (length == 0 || c < 0x20 || c == 0x7F) {
            shown += code("\\x%02X", static_cast<unsigned char>(utf8[0]));
            utf8.remove_prefix(1);
        } else {
            shown += shows(c) ? std::string(utf8.substr(0, length)) : code("U+%04X", c);
            utf8.remove_prefix(length);
        }
    }
    return shown;
}

} // namespace platform
