// Builds the $GPRMC sentence that a position beacon is programmed with.
// Texts are byte strings in one single-byte code page; nothing here depends on the locale.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace composer {

// Every field but the position is a fixed placeholder.
inline constexpr std::string_view TrameTemplate =
    "$GPRMC,000000.000,A,0000.0000,0,00000.0000,0,0.00,000.00,000000,,,0";

// Where the position fields stand in the sentence: columns counted from 1, as the window
// splices them, and their widths with the hemisphere ("4642.8593,N", "00538.6125,E").
inline constexpr std::size_t LatColumn = 21;
inline constexpr std::size_t LatWidth = 11;
inline constexpr std::size_t LongColumn = 33;
inline constexpr std::size_t LongWidth = 12;

// The eight entry texts. The degree and minute texts are corrected in place.
struct TrameFields {
    std::string latDeg, latMin, latSec, latPos;
    std::string longDeg, longMin, longSec, longPos;
};

// Writes a value rounded to 15 significant digits in plain notation: no exponent,
// no trailing zeros, "0" before the separator below 1, "0" for zero.
std::string DecimalText(double value);

// The seconds as the four digits of decimal minutes that follow the separator. The text is
// read the way the entry boxes are meant to be read: blanks anywhere are ignored, "." is the
// only decimal separator, "&H"/"&O" give whole numbers, and anything that is not a number
// (or does not fit a double) reads as 0.
std::string SecondsFraction(std::string_view seconds);

// Exclusive-or of the 8-bit codes of a sentence body (the text between "$" and "*").
std::uint8_t NmeaChecksum(std::string_view body);

// A byte as two uppercase hexadecimal digits, as a checksum is written ("08", never "8").
std::string HexDigits(std::uint8_t byte);

// The sentence ("$" up to the last field) followed by "*" and its checksum in two uppercase
// hexadecimal digits.
std::string WithChecksum(std::string_view sentence);

class Composer {
public:
    Composer() = default;

    void ResetTrame() { WorkTrame = TrameTemplate; }

    // Splices both position fields into the working sentence and returns it with its
    // checksum: always TrameTemplate's length plus three characters.
    std::string ComposeTrame(TrameFields& fields);

private:
    std::string WorkTrame{TrameTemplate};
};

} // namespace composer
