#include "text/Cp1252.h"

#include "text/Utf8.h"

#include <array>
#include <cstddef>

namespace text {
namespace {

// Code points of bytes 0x80 to 0x9F; the five bytes Windows-1252 leaves unused keep their
// C1 code point, as Windows itself maps them.
constexpr std::array<char32_t, 32> High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char encode(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        return static_cast<char>(codePoint);
    }
    for (std::size_t i = 0; i < High.size(); ++i) {
        if (High[i] == codePoint) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

} // namespace

std::string ToCp1252(std::string_view utf8) {
    std::string bytes;
    // A byte that starts no valid sequence counts as one character Windows-1252 cannot hold.
    while (!utf8.empty()) {
        const text::Character c = text::FirstCharacter(utf8);
        bytes += encode(c.code);
        utf8.remove_prefix(c.length);
    }
    return bytes;
}

char32_t Cp1252Character(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? High[byte - 0x80] : char32_t{byte};
}

std::string FromCp1252(std::string_view bytes) {
    std::string utf8;
    for (const char byte : bytes) {
        AppendUtf8(utf8, Cp1252Character(static_cast<unsigned char>(byte)));
    }
    return utf8;
}

} // namespace text
