// --batch: one position a line, one sentence a line.
#pragma once

#include "trame/Output.h"

#include <istream>
#include <ostream>

namespace trame {

// Writes the sentence of each line ("POSITION" or "NAME;POSITION") as it comes, with its
// number and name; lines that cannot be read or are too long are told on `err` with their
// numbers. Success, or SomeInvalid when a line was not read.
int Batch(std::istream& input, Writer& writer, std::ostream& err);

} // namespace trame
