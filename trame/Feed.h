// Feeding a tracker or a TNC: the sentence sent on a serial port again and again, as the
// beacon sends it.
#pragma once

#include "trame/Options.h"

#include <iosfwd>
#include <string>

namespace trame {

// Sends `sentence` (with the clock's time and date for o.timestamp) and CR LF on o.port every
// o.interval, at o.baud 8N1, until o.count sentences are sent or Ctrl+C. Says on `err` how many
// were sent. Success, or UsageError with the reason on `err` when the port cannot be used.
int Feed(const Options& o, const std::string& sentence, std::ostream& err);

} // namespace trame
