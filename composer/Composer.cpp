#include "Composer.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

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

namespace {

// Room for the longest plain text: a sign, "0.", 323 zeros and 15 digits of a subnormal.
using PlainBuffer = std::array<char, 352>;

// DecimalText's text, written into a buffer; returns its length.
std::size_t writePlain(double value, PlainBuffer& plain) {
    if (value == 0 || !std::isfinite(value)) {
        plain[0] = '0';
        return 1;
    }
    // Scientific notation with 14 decimals is the value rounded to 15 significant digits:
    // "-d.dddddddddddddde-XX". Its digits and exponent are then laid out in plain notation.
    std::array<char, 32> scientific{};
    const char* const end =
        std::to_chars(scientific.data(), scientific.data() + scientific.size(), value,
                      std::chars_format::scientific, SignificantDigits - 1)
            .ptr;
    const bool negative = scientific[0] == '-';
    const char* const mantissa = scientific.data() + (negative ? 1 : 0);
    const char* const e = std::find(mantissa, end, 'e');
    int exponent = 0;
    std::from_chars(e + (e[1] == '+' ? 2 : 1), end, exponent);

    std::array<char, SignificantDigits> digits{};
    digits[0] = mantissa[0];
    std::copy(mantissa + 2, e, digits.begin() + 1);
    std::size_t count = SignificantDigits;
    while (count > 1 && digits[count - 1] == '0') {
        --count;
    }

    char* out = plain.data();
    if (negative) {
        *out++ = '-';
    }
    if (exponent < 0) {
        *out++ = '0';
        *out++ = '.';
        out = std::fill_n(out, -exponent - 1, '0');
        out = std::copy_n(digits.begin(), count, out);
    } else {
        const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
        out = std::copy_n(digits.begin(), std::min(count, integerDigits), out);
        if (count > integerDigits) {
            *out++ = '.';
            out = std::copy(digits.begin() + integerDigits, digits.begin() + count, out);
        } else {
            out = std::fill_n(out, integerDigits - count, '0');
        }
    }
    return static_cast<std::size_t>(out - plain.data());
}

} // namespace

std::string DecimalText(double value) {
    PlainBuffer plain;
    return std::string(plain.data(), writePlain(value, plain));
}

std::string SecondsFraction(std::string_view seconds) {
    PlainBuffer quotient;
    const std::size_t length = writePlain(LeadingNumber(seconds) / 60.0, quotient);
    // Characters 3 to 6 of the quotient's text, completed with "0" to four.
    std::string fraction(4, '0');
    if (length > 2) {
        std::copy_n(quotient.begin() + 2, std::min<std::size_t>(4, length - 2), fraction.begin());
    }
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

// lead + degrees + minutes + "." + the seconds' fraction + "," + hemisphere
std::string positionField(std::string_view lead, std::string_view degrees, std::string_view minutes,
                          std::string_view seconds, std::string_view hemisphere) {
    std::string field;
    field.reserve(lead.size() + degrees.size() + minutes.size() + hemisphere.size() + 6);
    field.append(lead).append(degrees).append(minutes).append(1, '.');
    field.append(SecondsFraction(seconds)).append(1, ',').append(hemisphere);
    return field;
}

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
        positionField("", fields.latDeg, fields.latMin, fields.latSec, fields.latPos);
    correctTwoDigits(fields.longDeg);
    correctTwoDigits(fields.longMin);
    // The box holds two degree digits; the hundreds digit of the longitude is always 0.
    const std::string longField =
        positionField("0", fields.longDeg, fields.longMin, fields.longSec, fields.longPos);

    Splice(WorkTrame, LatColumn, LatWidth, latField);
    Splice(WorkTrame, LongColumn, LongWidth, longField);

    constexpr std::string_view hexDigits = "0123456789ABCDEF";
    const std::uint8_t checksum = NmeaChecksum(std::string_view(WorkTrame).substr(1));
    std::string sentence;
    sentence.reserve(WorkTrame.size() + 3);
    sentence.append(WorkTrame).append(1, '*');
    sentence.append(1, hexDigits[checksum >> 4]).append(1, hexDigits[checksum & 0xF]);
    return sentence;
}

} // namespace composer
