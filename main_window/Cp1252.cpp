#include "main_window/Cp1252.h"

#include <QList>

#include <array>

namespace main_window {
namespace {

// Code points of bytes 0x80 to 0x9F; the five bytes Windows-1252 leaves unused keep their
// C1 code point, as Windows itself maps them.
constexpr std::array<char32_t, 32> High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t decode(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? High[byte - 0x80] : char32_t{byte};
}

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

std::string ToCp1252(const QString& text) {
    std::string bytes;
    for (const char32_t codePoint : text.toUcs4()) {
        bytes.push_back(encode(codePoint));
    }
    return bytes;
}

QString FromCp1252(const std::string& bytes) {
    std::u32string codePoints;
    for (const char byte : bytes) {
        codePoints.push_back(decode(static_cast<unsigned char>(byte)));
    }
    return QString::fromUcs4(codePoints.data(), static_cast<qsizetype>(codePoints.size()));
}

} // namespace main_window
