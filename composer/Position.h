// The position fields written from the digits of a position, for every latitude and every
// longitude: the longitude takes three degree digits. The minutes' four decimals are cut from
// the exact value, never rounded, as the window cuts them from its seconds.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace composer {

// One coordinate as it was given: whole degrees, then whole minutes, then seconds, each as its
// decimal digits with "." before any decimals ("46", "42", "51.56"); only the last of the
// `count` parts may have decimals. Parts hold digits and at most one "."; an empty whole part
// (".5") is zero.
struct Angle {
    std::string parts[3];
    int count = 1;
    char hemisphere = 'N'; // N, S, E or W
};

// An angle in whole ten-thousandths of a minute, cut from its exact value; `cut` tells whether
// anything was cut.
struct ExactMinutes {
    std::uint64_t tenThousandths = 0;
    bool cut = false;
};

// The exact minutes of the angle, computed on its digits; none when a part has more than
// four whole digits, which no coordinate has.
std::optional<ExactMinutes> MinutesOf(const Angle& angle);

// "ddmm.mmmm" (two degree digits) or "dddmm.mmmm" (three) for an angle that MinutesOf takes.
std::string PositionDigits(const Angle& angle, int degreeDigits);

// The template with both position fields ("4642.8593,N", "15112.5580,E") and its checksum.
std::string PositionTrame(const Angle& latitude, const Angle& longitude);

} // namespace composer
