// Checks a $--RMC sentence and decodes its position.
#pragma once

#include <string>
#include <string_view>

namespace trame {

struct SentenceCheck {
    std::string problem; // in French; empty when the sentence is valid
    // For a valid sentence with a position: decimal degrees, degrees and minutes, degrees,
    // minutes and seconds, one form a line, each ending with "\n"; empty without a fix.
    std::string position;
};

// The sentence as received, with or without its CR LF.
SentenceCheck CheckSentence(std::string_view sentence);

} // namespace trame
