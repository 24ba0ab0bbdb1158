// The whole program once the arguments are UTF-8 texts: what main() runs.
#pragma once

#include "trame/Status.h"

#include <iosfwd>
#include <span>
#include <string>

namespace trame {

// Runs the command line (without the program's name); `in` is read by --check without
// sentences and by --batch -.
int Run(std::span<const std::string> arguments, std::istream& in, std::ostream& out,
        std::ostream& err);

} // namespace trame
