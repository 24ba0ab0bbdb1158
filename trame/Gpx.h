// --format gpx: the sentences as GPX 1.1 waypoints, for a map or GPSBabel, written as they
// come: the start, one waypoint a sentence, the end.
#pragma once

#include <string>
#include <string_view>

namespace trame {

std::string GpxStart();
std::string GpxEnd();

// A waypoint at the position the sentence carries, named `name`, the sentence as its
// description. No time: the beacon has no clock, and the same time on every point would make
// readers take them for one.
std::string GpxWaypoint(std::string_view name, std::string_view sentence);

// A position field of the sentence ("4642.8593", 'N') in decimal degrees with seven decimals,
// computed on its digits and rounded to the nearest (ten-thousandths of a minute never fall
// half-way); S and W negative, and 180° E written -180, the only one GPX takes.
std::string DecimalDegrees(std::string_view field, char hemisphere);

// The text as XML character data in UTF-8: & < > escaped, a byte that is not UTF-8 read as
// Windows-1252 (what spreadsheets save in on a French Windows), and a character XML does not
// allow (a control, U+FFFE) as U+FFFD.
std::string XmlText(std::string_view text);

} // namespace trame
