// Reads a position as people paste it: decimal degrees, degrees and minutes, degrees, minutes
// and seconds, or the sentence's own ddmm.mmmm form; signs or hemisphere letters; marks.
#pragma once

#include "composer/Position.h"

#include <string>
#include <string_view>

namespace trame {

struct Position {
    composer::Angle latitude, longitude;
};

// Either a position, or `error` in French saying what is wrong with the text.
struct PositionReading {
    Position position;
    std::string error;
};

// The text is latitude then longitude (letters may say otherwise), in UTF-8 or Windows-1252.
PositionReading ReadPosition(std::string_view text);

// The sentence of the position the text gives, or `error` in French.
std::string SentenceOf(std::string_view text, std::string& error);

// The forms ReadPosition takes, one example a line, for messages and the help.
extern const char* const AcceptedForms;

} // namespace trame
