#include "Composer.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace composer {
namespace {

constexpr std::size_t LatColumn = 21;
constexpr std::size_t LatWidth = 11;
constexpr std::size_t LongColumn = 33;
constexpr std::size_t LongWidth = 12;
constexpr int SignificantDigits = 15;

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

std::string withoutBlanks(std::string_view text) {
    std::string kept;
    kept.reserve(text.size());
    for (const char c : text) {
        if (!isBlank(c)) {
            kept.push_back(c);
        }
    }
    return kept;
}

int digitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return 99;
}

// "&H1E", "&O17": the digits of the given base up to the first other character.
double wholeNumber(std::string_view digits, int base) {
    double value = 0;
    for (const char c : digits) {
        const int digit = digitValue(c);
        if (digit >= base) {
            break;
        }
        value = value * base + digit;
    }
    return value;
}

// Sign, digits, "." and an exponent. from_chars never looks at the locale, but it would
// also take "inf" and "nan", so the text must start like a number.
double decimalNumber(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || (digitValue(text.front()) > 9 && text.front() != '.')) {
        return 0;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{}) {
        // No digits at all (".") or out of range: 1e999 is no more a number of seconds than
        // "abc", and an underflow is zero anyway.
        return 0;
    }
    return negative ? -value : value;
}

std::string trimmedZeros(std::string digits) {
    const auto last = digits.find_last_not_of('0');
    digits.erase(last == std::string::npos ? 0 : last + 1);
    return digits;
}

} // namespace

double LeadingNumber(std::string_view text) {
    const std::string kept = withoutBlanks(text);
    const std::string_view number = kept;
    double value = 0;
    if (number.size() >= 2 && number[0] == '&' && (number[1] == 'H' || number[1] == 'h')) {
        value = wholeNumber(number.substr(2), 16);
    } else if (number.size() >= 2 && number[0] == '&' && (number[1] == 'O' || number[1] == 'o')) {
        value = wholeNumber(number.substr(2), 8);
    } else {
        value = decimalNumber(number);
    }
    return std::isfinite(value) ? value : 0;
}

std::string DecimalText(double value) {
    if (value == 0 || !std::isfinite(value)) {
        return "0";
    }
    // Scientific notation with 14 decimals is the value rounded to 15 significant digits;
    // the digits and the exponent are then laid out in plain notation.
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::scientific, SignificantDigits - 1);
    const std::string_view text(buffer.data(),
                                static_cast<std::size_t>(result.ptr - buffer.data()));
    const bool negative = text.front() == '-';
    const std::string_view mantissa =
        text.substr(negative ? 1 : 0, text.find('e') - (negative ? 1 : 0));
    int exponent = 0;
    const std::string_view exponentText = text.substr(text.find('e') + 1);
    std::from_chars(exponentText.data() + (exponentText.front() == '+' ? 1 : 0),
                    exponentText.data() + exponentText.size(), exponent);

    std::string digits{mantissa.front()};
    digits.append(mantissa.substr(2));
    digits = trimmedZeros(std::move(digits));

    std::string plain = negative ? "-" : "";
    if (exponent < 0) {
        plain += "0.";
        plain.append(static_cast<std::size_t>(-exponent - 1), '0');
        plain += digits;
    } else {
        const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= integerDigits) {
            plain += digits;
            plain.append(integerDigits - digits.size(), '0');
        } else {
            plain.append(digits, 0, integerDigits);
            plain += '.';
            plain.append(digits, integerDigits);
        }
    }
    return plain;
}

std::string SecondsFraction(std::string_view seconds) {
    const std::string quotient = DecimalText(LeadingNumber(seconds) / 60.0);
    std::string fraction = quotient.size() > 2 ? quotient.substr(2, 4) : std::string{};
    fraction.resize(4, '0');
    return fraction;
}

std::uint8_t NmeaChecksum(std::string_view body) {
    std::uint8_t sum = 0;
    for (const char c : body) {
        sum ^= static_cast<std::uint8_t>(c);
    }
    return sum;
}

void Splice(std::string& work, std::size_t column, std::size_t width, std::string_view field) {
    if (column < 1 || column > work.size()) {
        return;
    }
    const std::size_t start = column - 1;
    const std::size_t count = std::min({width, field.size(), work.size() - start});
    work.replace(start, count, field.substr(0, count));
}

namespace {

// A text of exactly "0" is taken for a forgotten leading zero.
void correctTwoDigits(std::string& text) {
    if (text == "0") {
        text = "00";
    }
}

} // namespace

std::string Composer::ComposeTrame(TrameFields& fields) {
    correctTwoDigits(fields.latDeg);
    correctTwoDigits(fields.latMin);
    const std::string latField =
        fields.latDeg + fields.latMin + "." + SecondsFraction(fields.latSec) + "," + fields.latPos;
    correctTwoDigits(fields.longDeg);
    correctTwoDigits(fields.longMin);
    // The box holds two degree digits; the hundreds digit of the longitude is always 0.
    const std::string longField = "0" + fields.longDeg + fields.longMin + "." +
                                  SecondsFraction(fields.longSec) + "," + fields.longPos;

    Splice(WorkTrame, LatColumn, LatWidth, latField);
    Splice(WorkTrame, LongColumn, LongWidth, longField);

    std::array<char, 4> checksum{};
    std::snprintf(checksum.data(), checksum.size(), "%02X",
                  NmeaChecksum(std::string_view(WorkTrame).substr(1)));
    return WorkTrame + "*" + checksum.data();
}

} // namespace composer
