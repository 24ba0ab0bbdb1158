#include "composer/Composer.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <iterator>

namespace composer {
namespace {

constexpr int SignificantDigits = 15;

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// "&H1E", "&O17": the digits of the base up to the first other character, without a sign.
double wholeNumber(std::string_view digits, int base) {
    double value = 0;
    for (const char c : digits) {
        int digit = base;
        if (isDigit(c)) {
            digit = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        }
        if (digit >= base) {
            break;
        }
        value = value * base + digit;
    }
    return value;
}

// Sign, digits, "." and an exponent. from_chars never looks at the locale, but it would
// also take "inf", "nan" and a second sign, so after the sign the text must start like a
// number.
double decimalNumber(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || !(isDigit(text.front()) || text.front() == '.')) {
        return 0;
    }
    double value = 0;
    if (std::from_chars(text.data(), text.data() + text.size(), value).ec != std::errc{}) {
        // No digits at all (".") or out of range: 1e999 is no more a number of seconds than
        // "abc", and an underflow is zero anyway.
        return 0;
    }
    return negative ? -value : value;
}

// The leading number of a text, blanks anywhere ignored; 0 when there is none.
double leadingNumber(std::string_view typed) {
    std::string text;
    std::copy_if(typed.begin(), typed.end(), std::back_inserter(text),
                 [](char c) { return !isBlank(c); });
    double value = 0;
    if (text.starts_with("&H") || text.starts_with("&h")) {
        value = wholeNumber(std::string_view(text).substr(2), 16);
    } else if (text.starts_with("&O") || text.starts_with("&o")) {
        value = wholeNumber(std::string_view(text).substr(2), 8);
    } else {
        value = decimalNumber(text);
    }
    return std::isfinite(value) ? value : 0; // a long "&HFFFF..." overflows
}

// Writes the first characters of a field over the working sentence from a 1-based column
// on, never past the field's width nor the sentence's end. A short field leaves the columns
// after it as they were, so the working sentence carries them over.
void splice(std::string& work, std::size_t column, std::size_t width, std::string_view field) {
    const std::size_t count = std::min({width, field.size(), work.size() - (column - 1)});
    std::copy_n(field.begin(), count, work.begin() + static_cast<std::ptrdiff_t>(column - 1));
}

// A text of exactly "0" is taken for a forgotten leading zero.
void correctTwoDigits(std::string& text) {
    if (text == "0") {
        text = "00";
    }
}

} // namespace

std::string DecimalText(double value) {
    if (value == 0 || !std::isfinite(value)) {
        return "0";
    }
    // "d.dddddddddddddde+xx": the value rounded to 15 significant digits, exactly.
    std::array<char, 32> buffer{};
    const char* const end =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(value),
                      std::chars_format::scientific, SignificantDigits - 1)
            .ptr;
    const std::string_view scientific(buffer.data(), static_cast<std::size_t>(end - buffer.data()));
    const std::size_t e = scientific.find('e');
    int exponent = 0; // from_chars takes a "-" but no "+"
    std::from_chars(scientific.data() + e + (scientific[e + 1] == '+' ? 2 : 1), end, exponent);
    std::string digits = std::string(scientific.substr(0, 1)).append(scientific.substr(2, e - 2));
    digits.erase(digits.find_last_not_of('0') + 1);

    std::string text = std::signbit(value) ? "-" : "";
    if (exponent < 0) {
        // "0." then -exponent - 1 zeros, then the digits.
        return text + "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    // The integer digits, completed with zeros, then "." and the rest if there is a rest.
    const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
    digits.resize(std::max(digits.size(), integerDigits), '0');
    if (digits.size() > integerDigits) {
        digits.insert(integerDigits, 1, '.');
    }
    return text + digits;
}

std::string SecondsFraction(std::string_view seconds) {
    // Characters 3 to 6 of the text of seconds / 60, completed with "0" to four.
    const std::string quotient = DecimalText(leadingNumber(seconds) / 60.0);
    std::string fraction = quotient.size() > 2 ? quotient.substr(2, 4) : std::string();
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

std::string HexDigits(std::uint8_t byte) {
    constexpr std::string_view digits = "0123456789ABCDEF";
    return {digits[byte >> 4], digits[byte & 0xF]};
}

std::string WithChecksum(std::string_view sentence) {
    std::string finished;
    finished.reserve(sentence.size() + 3);
    finished += sentence;
    finished += '*';
    finished += HexDigits(NmeaChecksum(sentence.substr(1)));
    return finished;
}

std::string Composer::ComposeTrame(TrameFields& fields) {
    for (std::string* text : {&fields.latDeg, &fields.latMin, &fields.longDeg, &fields.longMin}) {
        correctTwoDigits(*text);
    }
    // degrees + minutes + "." + the seconds' fraction + "," + hemisphere
    splice(WorkTrame, LatColumn, LatWidth,
           fields.latDeg + fields.latMin + "." + SecondsFraction(fields.latSec) + "," +
               fields.latPos);
    // The box holds two degree digits; the hundreds digit of the longitude is always 0.
    splice(WorkTrame, LongColumn, LongWidth,
           "0" + fields.longDeg + fields.longMin + "." + SecondsFraction(fields.longSec) + "," +
               fields.longPos);

    return WithChecksum(WorkTrame);
}

} // namespace composer
