// --timestamp: the beacon's sentence as a receiver with a fix sends it, with the time.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace trame {

// The sentence with the UTC time (hhmmss.sss, milliseconds cut) and date (ddmmyy) of `now`
// in place of the beacon's 000000.000 and 000000, and its checksum written again; every other
// field as it was.
std::string WithTime(std::string_view sentence, std::chrono::system_clock::time_point now);

} // namespace trame
