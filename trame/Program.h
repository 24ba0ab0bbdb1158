// The whole program once the arguments are UTF-8 texts: what main() runs.
#pragma once

#include <iosfwd>
#include <span>
#include <string>

namespace trame {

// Exit statuses.
inline constexpr int Success = 0;
inline constexpr int SomeInvalid = 1; // a sentence found invalid, a batch line not read
inline constexpr int UsageError = 2;  // nothing was written on `out`

// Runs the command line (without the program's name); `in` is read by --check without
// sentences and by --batch -.
int Run(std::span<const std::string> arguments, std::istream& in, std::ostream& out,
        std::ostream& err);

} // namespace trame
