#include "composer/Composer.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <optional>

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

__extension__ typedef unsigned __int128 Wide;

// 10^0, 10^1, ... 10^(Count - 1) in a type that holds them all exactly.
template <typename Number, std::size_t Count> constexpr std::array<Number, Count> powersOfTen() {
    std::array<Number, Count> powers{};
    Number power = 1;
    for (Number& p : powers) {
        p = power;
        power *= 10;
    }
    return powers;
}

// Powers of ten that a double holds exactly.
constexpr auto ExactPowersOfTen = powersOfTen<double, 16>();

// Up to 15 digits with at most one "." and no exponent: the digits make an exact whole
// number and 10^decimals is exact, so one division gives the correctly rounded value, the
// one from_chars would read. Anything else is left to from_chars (nullopt).
std::optional<double> shortDecimal(std::string_view text) {
    std::uint64_t digits = 0;
    std::size_t count = 0;
    std::size_t decimals = 0;
    bool point = false;
    std::size_t next = 0;
    for (; next < text.size(); ++next) {
        const char c = text[next];
        if (c >= '0' && c <= '9') {
            digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
            ++count;
            decimals += point ? 1 : 0;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    const bool exponent = next < text.size() && (text[next] == 'e' || text[next] == 'E');
    if (count == 0 || count >= ExactPowersOfTen.size() || exponent) {
        return std::nullopt;
    }
    return static_cast<double>(digits) / ExactPowersOfTen[decimals];
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
    if (const std::optional<double> quick = shortDecimal(text)) {
        value = *quick;
    } else if (std::from_chars(text.data(), text.data() + text.size(), value).ec != std::errc{}) {
        // No digits at all (".") or out of range: 1e999 is no more a number of seconds than
        // "abc", and an underflow is zero anyway.
        return 0;
    }
    return negative ? -value : value;
}

} // namespace

double LeadingNumber(std::string_view text) {
    // Most texts have no blank to take out.
    const bool blanks = std::any_of(text.begin(), text.end(), isBlank);
    const std::string kept = blanks ? withoutBlanks(text) : std::string();
    const std::string_view number = blanks ? std::string_view(kept) : text;
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

constexpr std::uint64_t LowestDigits = 100'000'000'000'000; // 10^14
constexpr std::uint64_t PastDigits = 1'000'000'000'000'000; // 10^15

// Up to 10^22: m * 10^22 still fits 128 bits for a 53-bit m.
constexpr auto WidePowersOfTen = powersOfTen<Wide, 23>();

// The exact rounding of magnitude (finite, > 0) in 128-bit integers, for the range that
// seconds over 60 really take: about 10^-8 to 10^14. magnitude = m / 2^shift exactly, so
// floor(magnitude * 10^(14 - exponent)) and its remainder are integer arithmetic. Values
// outside the range and exact ties are left to the library (nullopt).
std::optional<Significand> roundExactly(double magnitude) {
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const int biased = static_cast<int>(bits >> 52);
    const int shift = 1075 - biased;
    // floor(log10(2^p)) for magnitude in [2^p, 2^(p+1)): the decimal exponent or one less.
    int exponent = ((biased - 1023) * 78913) >> 18;
    // Both the estimate and the one above it must find their power in the table; the shift
    // is then 6 to 78 bits.
    if (biased == 0 || exponent < -8 || exponent > 13) {
        return std::nullopt;
    }
    const std::uint64_t m = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    Wide scaled = Wide{m} * WidePowersOfTen[static_cast<std::size_t>(14 - exponent)];
    if ((scaled >> shift) >= PastDigits) {
        ++exponent;
        scaled = Wide{m} * WidePowersOfTen[static_cast<std::size_t>(14 - exponent)];
    }
    const Wide whole = scaled >> shift;
    const Wide remainder = scaled - (whole << shift);
    const Wide half = Wide{1} << (shift - 1);
    if (remainder == half) {
        return std::nullopt;
    }
    auto digits = static_cast<std::uint64_t>(whole) + (remainder > half ? 1 : 0);
    if (digits == PastDigits) {
        digits = LowestDigits;
        ++exponent;
    }
    return Significand{false, digits, exponent};
}

// Scientific notation with 14 decimals is the value rounded to 15 significant digits.
Significand roundByLibrary(double magnitude) {
    std::array<char, 32> scientific{};
    char* const end = std::to_chars(scientific.data(), scientific.data() + scientific.size(),
                                    magnitude, std::chars_format::scientific, SignificantDigits - 1)
                          .ptr;
    char* const e = std::find(scientific.data(), end, 'e');
    std::uint64_t digits = static_cast<std::uint64_t>(scientific[0] - '0');
    for (const char* c = scientific.data() + 2; c != e; ++c) {
        digits = digits * 10 + static_cast<std::uint64_t>(*c - '0');
    }
    int exponent = 0;
    std::from_chars(e + (e[1] == '+' ? 2 : 1), end, exponent);
    return Significand{false, digits, exponent};
}

} // namespace

Significand RoundToSignificand(double value) {
    const double magnitude = std::fabs(value);
    const std::optional<Significand> exact = roundExactly(magnitude);
    Significand rounded = exact ? *exact : roundByLibrary(magnitude);
    rounded.negative = std::signbit(value);
    return rounded;
}

namespace {

// A value laid out in plain notation, one character at a time.
class PlainText {
public:
    explicit PlainText(double value) {
        if (value == 0 || !std::isfinite(value)) {
            return; // "0"
        }
        const Significand rounded = RoundToSignificand(value);
        std::uint64_t rest = rounded.digits;
        for (auto digit = digits_.rbegin(); digit != digits_.rend(); ++digit) {
            *digit = static_cast<char>('0' + rest % 10);
            rest /= 10;
        }
        count_ = digits_.size();
        while (digits_[count_ - 1] == '0') {
            --count_;
        }
        sign_ = rounded.negative ? 1 : 0;
        exponent_ = rounded.exponent;
    }

    // The character at index, or 0 past the end of the text.
    char at(std::size_t index) const {
        if (index < sign_) {
            return '-';
        }
        index -= sign_;
        if (exponent_ < 0) {
            // "0." then -exponent - 1 zeros, then the digits.
            const auto zeros = static_cast<std::size_t>(-exponent_ - 1);
            if (index < 2) {
                return "0."[index];
            }
            index -= 2;
            return index < zeros ? '0' : digit(index - zeros);
        }
        // The integer digits (completed with zeros), then "." and the rest if there is a rest.
        const auto integerDigits = static_cast<std::size_t>(exponent_) + 1;
        if (index < integerDigits) {
            return index < count_ ? digits_[index] : '0';
        }
        if (index == integerDigits) {
            return count_ > integerDigits ? '.' : '\0';
        }
        return digit(index - 1);
    }

private:
    char digit(std::size_t index) const { return index < count_ ? digits_[index] : '\0'; }

    std::array<char, SignificantDigits> digits_{'0'};
    std::size_t count_ = 1;
    std::size_t sign_ = 0;
    int exponent_ = 0;
};

using Fraction = std::array<char, 4>;

// Characters 3 to 6 of the text of seconds / 60, completed with "0" to four.
Fraction fractionOf(std::string_view seconds) {
    const PlainText quotient(LeadingNumber(seconds) / 60.0);
    Fraction fraction{};
    for (std::size_t i = 0; i < fraction.size(); ++i) {
        const char c = quotient.at(i + 2);
        fraction[i] = c == '\0' ? '0' : c;
    }
    return fraction;
}

} // namespace

std::string DecimalText(double value) {
    const PlainText plain(value);
    std::string text;
    for (char c = plain.at(0); c != '\0'; c = plain.at(text.size())) {
        text.push_back(c);
    }
    return text;
}

std::string SecondsFraction(std::string_view seconds) {
    const Fraction fraction = fractionOf(seconds);
    return std::string(fraction.data(), fraction.size());
}

std::uint8_t NmeaChecksum(std::string_view body) {
    std::uint8_t sum = 0;
    for (const char c : body) {
        sum ^= static_cast<std::uint8_t>(c);
    }
    return sum;
}

namespace {

// Writes over the working sentence from a 1-based column on, piece after piece, never past
// the field's width nor the sentence's end. A short field leaves the columns after it as
// they were, so the working sentence carries them over.
class FieldWriter {
public:
    FieldWriter(std::string& work, std::size_t column, std::size_t width)
        : next_(work.data() + column - 1), end_(next_ + std::min(width, work.size() - column + 1)) {
    }

    FieldWriter& operator<<(std::string_view piece) {
        const auto room = static_cast<std::size_t>(end_ - next_);
        next_ = std::copy_n(piece.data(), std::min(room, piece.size()), next_);
        return *this;
    }

private:
    char* next_;
    char* const end_;
};

// degrees + minutes + "." + the seconds' fraction + "," + hemisphere
void writePosition(FieldWriter& field, std::string_view degrees, std::string_view minutes,
                   std::string_view seconds, std::string_view hemisphere) {
    const Fraction fraction = fractionOf(seconds);
    field << degrees << minutes << "." << std::string_view(fraction.data(), fraction.size()) << ","
          << hemisphere;
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
    FieldWriter latitude(WorkTrame, LatColumn, LatWidth);
    writePosition(latitude, fields.latDeg, fields.latMin, fields.latSec, fields.latPos);

    correctTwoDigits(fields.longDeg);
    correctTwoDigits(fields.longMin);
    // The box holds two degree digits; the hundreds digit of the longitude is always 0.
    FieldWriter longitude(WorkTrame, LongColumn, LongWidth);
    writePosition(longitude << "0", fields.longDeg, fields.longMin, fields.longSec, fields.longPos);

    constexpr std::string_view hexDigits = "0123456789ABCDEF";
    const std::uint8_t checksum = NmeaChecksum(std::string_view(WorkTrame).substr(1));
    std::string sentence;
    sentence.reserve(WorkTrame.size() + 3);
    sentence.append(WorkTrame).append(1, '*');
    sentence.append(1, hexDigits[checksum >> 4]).append(1, hexDigits[checksum & 0xF]);
    return sentence;
}

} // namespace composer
