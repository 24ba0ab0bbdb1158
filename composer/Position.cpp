#include "composer/Position.h"

#include "composer/Composer.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace composer {
namespace {

constexpr std::size_t MaxWholeDigits = 4;

// floor(text × num / den), and whether that cut anything, computed on the digits: the
// decimals are multiplied from the last one on, so that their carry is the whole units they
// add and the digits they leave behind are what is cut.
std::optional<ExactMinutes> scaled(std::string_view text, std::uint64_t num, std::uint64_t den) {
    const std::size_t point = std::min(text.find('.'), text.size());
    std::string_view whole = text.substr(0, point);
    whole.remove_prefix(std::min(whole.find_first_not_of('0'), whole.size()));
    if (whole.size() > MaxWholeDigits) {
        return std::nullopt;
    }
    std::uint64_t units = 0;
    std::from_chars(whole.data(), whole.data() + whole.size(), units);
    const std::string_view decimals = text.substr(std::min(point + 1, text.size()));
    std::uint64_t carry = 0;
    bool cutDecimals = false;
    for (auto digit = decimals.rbegin(); digit != decimals.rend(); ++digit) {
        const std::uint64_t product = static_cast<std::uint64_t>(*digit - '0') * num + carry;
        cutDecimals = cutDecimals || product % 10 != 0;
        carry = product / 10;
    }
    units = units * num + carry;
    return ExactMinutes{units / den, cutDecimals || units % den != 0};
}

void appendDigits(std::string& text, std::uint64_t value, int width) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    const auto count = static_cast<int>(end - digits);
    text.append(static_cast<std::size_t>(width > count ? width - count : 0), '0');
    text.append(digits, end);
}

} // namespace

std::optional<ExactMinutes> MinutesOf(const Angle& angle) {
    // Ten-thousandths of a minute in a degree, a minute and a second.
    constexpr std::uint64_t num[] = {600000, 10000, 500};
    constexpr std::uint64_t den[] = {1, 1, 3};
    ExactMinutes total;
    for (int i = 0; i < angle.count; ++i) {
        const auto part = scaled(angle.parts[i], num[i], den[i]);
        if (!part) {
            return std::nullopt;
        }
        total.tenThousandths += part->tenThousandths;
        total.cut = total.cut || part->cut;
    }
    return total;
}

std::string PositionDigits(const Angle& angle, int degreeDigits) {
    const std::uint64_t total = MinutesOf(angle).value_or(ExactMinutes{}).tenThousandths;
    const std::uint64_t minutes = total / 10000;
    std::string text;
    appendDigits(text, minutes / 60, degreeDigits);
    appendDigits(text, minutes % 60, 2);
    text += '.';
    appendDigits(text, total % 10000, 4);
    return text;
}

std::string PositionTrame(const Angle& latitude, const Angle& longitude) {
    std::string sentence(TrameTemplate);
    const std::string lat = PositionDigits(latitude, 2) + ',' + latitude.hemisphere;
    const std::string lon = PositionDigits(longitude, 3) + ',' + longitude.hemisphere;
    sentence.replace(LatColumn - 1, lat.size(), lat);
    sentence.replace(LongColumn - 1, lon.size(), lon);
    return WithChecksum(sentence);
}

} // namespace composer
