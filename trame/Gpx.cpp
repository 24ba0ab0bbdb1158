#include "trame/Gpx.h"

#include "text/Cp1252.h"
#include "text/Utf8.h"
#include "trame/Fields.h"

#include <algorithm>
#include <cstdint>

namespace trame {
namespace {

// XML 1.0's characters, without the C1 controls that Windows-1252's unused bytes give.
bool allowedInXml(char32_t c) {
    return c == '\t' || c == '\n' || c == '\r' ||
           (c >= 0x20 && (c < 0x80 || c >= 0xA0) && c != 0xFFFE && c != 0xFFFF);
}

char letter(std::string_view field) {
    return field.empty() ? '\0' : field.front();
}

std::uint64_t number(std::string_view digits) {
    std::uint64_t value = 0;
    for (const char c : digits) {
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return value;
}

} // namespace

std::string GpxStart() {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<gpx version=\"1.1\" creator=\"quorvelin-trame " QUORVELIN_VERSION "\"\n"
           "     xmlns=\"http://www.topografix.com/GPX/1/1\"\n"
           "     xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"\n"
           "     xsi:schemaLocation=\"http://www.topografix.com/GPX/1/1 "
           "http://www.topografix.com/GPX/1/1/gpx.xsd\">\n";
}

std::string GpxEnd() {
    return "</gpx>\n";
}

std::string GpxWaypoint(std::string_view name, std::string_view sentence) {
    const std::vector<std::string_view> f = FieldsOf(BodyOf(sentence));
    return "  <wpt lat=\"" + DecimalDegrees(f[Latitude], letter(f[LatitudeLetter])) + "\" lon=\"" +
           DecimalDegrees(f[Longitude], letter(f[LongitudeLetter])) + "\">\n    <name>" +
           XmlText(name) + "</name>\n    <desc>" + XmlText(sentence) + "</desc>\n  </wpt>\n";
}

// In units of 1e-7°: degrees × 10^7 + minutes × 10^7 / 60, the minutes being the digits
// around the point over 10^decimals, rounded by (2n + d) / 2d.
std::string DecimalDegrees(std::string_view field, char hemisphere) {
    constexpr std::uint64_t unit = 10'000'000;
    const std::size_t point = std::min(field.find('.'), field.size());
    const std::size_t decimals = field.size() - std::min(point + 1, field.size());
    std::uint64_t scale = 60;
    for (std::size_t i = 0; i < decimals; ++i) {
        scale *= 10;
    }
    const std::uint64_t minutes =
        number(field.substr(point - 2, 2)) * (scale / 60) + number(field.substr(point + 1));
    const std::uint64_t value =
        number(field.substr(0, point - 2)) * unit + (2 * minutes * unit + scale) / (2 * scale);
    const bool negative = value != 0 && (hemisphere == 'S' || hemisphere == 'W' ||
                                         (hemisphere == 'E' && value == 180 * unit));
    const std::string fraction = std::to_string(value % unit);
    std::string text = negative ? "-" : "";
    text += std::to_string(value / unit);
    text += '.';
    text.append(7 - fraction.size(), '0');
    return text + fraction;
}

std::string XmlText(std::string_view text) {
    std::string xml;
    while (!text.empty()) {
        // A byte that is no UTF-8 is Windows-1252, as French spreadsheets save.
        const text::Character character = text::FirstCharacter(text);
        const std::size_t length = character.valid ? character.length : 1;
        const char32_t c = character.valid
                               ? character.code
                               : text::Cp1252Character(static_cast<unsigned char>(text[0]));
        text.remove_prefix(length);
        if (c == '&') {
            xml += "&amp;";
        } else if (c == '<') {
            xml += "&lt;";
        } else if (c == '>') {
            xml += "&gt;";
        } else {
            text::AppendUtf8(xml, allowedInXml(c) ? c : 0xFFFD);
        }
    }
    return xml;
}

} // namespace trame
