// --check: each sentence judged and told, from the arguments or the input's lines.
#pragma once

#include "trame/Output.h"

#include <istream>
#include <string>
#include <vector>

namespace trame {

// "valide : SENTENCE" and its position, or "invalide : SENTENCE" and why, for each sentence
// as it comes; Success, SomeInvalid, or UsageError (told on `err`) when there was none.
int Report(const std::vector<std::string>& sentences, std::istream& in, Destination& destination,
           std::ostream& err);

} // namespace trame
