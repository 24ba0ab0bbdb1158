// The position fields written from numbers, for every latitude and every longitude: the
// longitude takes three degree digits. The minutes' four decimals follow the window's rule.
#pragma once

#include <string>

namespace composer {

// One coordinate as it was given: whole degrees, then whole minutes, then seconds; only the
// last of the `count` parts may have decimals. All parts are zero or more.
struct Angle {
    double parts[3] = {0, 0, 0};
    int count = 1;
    char hemisphere = 'N'; // N, S, E or W
};

// "ddmm.mmmm" (two degree digits) or "dddmm.mmmm" (three): the last part, as minutes, is
// written to 15 significant digits and its decimals cut to four, never rounded; minutes or
// decimal degrees that those digits would round to 60 minutes are cut to 59.9999, and the
// seconds' whole minutes are carried into minutes and degrees.
std::string PositionDigits(const Angle& angle, int degreeDigits);

// The template with both position fields ("4642.8593,N", "15112.5580,E") and its checksum.
std::string PositionTrame(const Angle& latitude, const Angle& longitude);

} // namespace composer
