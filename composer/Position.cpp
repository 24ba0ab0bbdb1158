#include "composer/Position.h"

#include "composer/Composer.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>

namespace composer {
namespace {

// The last part turned into minutes, as the window's text of it: the seconds as minutes
// (as SecondsFraction does), the minutes themselves, or the degrees' fractional part as
// minutes. That part is exact in binary; degrees times 60 would round 45.99999999999998 up.
double lastPartAsMinutes(const Angle& angle) {
    switch (angle.count) {
    case 3:
        return angle.parts[2] / 60.0;
    case 2:
        return angle.parts[1];
    default:
        return (angle.parts[0] - std::floor(angle.parts[0])) * 60.0;
    }
}

// Minutes given by the whole parts that come before the last one, or by the whole degrees.
std::uint64_t wholeMinutesBefore(const Angle& angle) {
    std::uint64_t minutes = static_cast<std::uint64_t>(angle.parts[0]) * 60;
    if (angle.count == 3) {
        minutes += static_cast<std::uint64_t>(angle.parts[1]);
    }
    return minutes;
}

void appendDigits(std::string& text, std::uint64_t value, int width) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    const auto count = static_cast<int>(end - digits);
    text.append(static_cast<std::size_t>(width > count ? width - count : 0), '0');
    text.append(digits, end);
}

} // namespace

std::string PositionDigits(const Angle& angle, int degreeDigits) {
    std::string minutes = DecimalText(lastPartAsMinutes(angle));
    // Minutes below 60 that 15 digits round to 60 are cut instead: they stay in their degree.
    if (angle.count < 3 && minutes.starts_with("60")) {
        minutes = "59.9999";
    }
    const std::size_t point = minutes.find('.');
    const std::string_view whole = std::string_view(minutes).substr(0, point);
    std::uint64_t total = 0;
    std::from_chars(whole.data(), whole.data() + whole.size(), total);
    total += wholeMinutesBefore(angle);
    std::string decimals =
        point == std::string::npos ? std::string() : minutes.substr(point + 1, 4);
    decimals.resize(4, '0');

    std::string text;
    appendDigits(text, total / 60, degreeDigits);
    appendDigits(text, total % 60, 2);
    return text + '.' + decimals;
}

std::string PositionTrame(const Angle& latitude, const Angle& longitude) {
    std::string sentence(TrameTemplate);
    const std::string lat = PositionDigits(latitude, 2) + ',' + latitude.hemisphere;
    const std::string lon = PositionDigits(longitude, 3) + ',' + longitude.hemisphere;
    // Columns 21 and 33 (from 1), as the window splices its fields.
    sentence.replace(20, lat.size(), lat);
    sentence.replace(32, lon.size(), lon);
    return WithChecksum(sentence);
}

} // namespace composer
