// Checks a $--RMC sentence and decodes its position.
#pragma once

#include <string>
#include <string_view>

namespace trame {

struct SentenceCheck {
    // In French, naming each faulty field and its value, one a line after the first (lines
    // joined by "\n  ", as the report indents them); empty when the sentence is valid.
    std::string problem;
    // For a valid sentence, the lines shown under it, each indented by two spaces and ending
    // with "\n": its position in decimal degrees, in degrees and minutes, in degrees, minutes
    // and seconds, after a warning when the receiver marks it void (status V); then remarks on
    // fields clients read otherwise ("sans position" before them when there is none). Empty
    // when there is neither a position nor a remark.
    std::string position;
};

// The sentence as received, with or without its CR LF.
SentenceCheck CheckSentence(std::string_view sentence);

} // namespace trame
