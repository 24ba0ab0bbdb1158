// The whole program once the arguments are UTF-8 texts: what main() runs.
#pragma once

#include <iosfwd>
#include <span>
#include <string>

namespace trame {

// Exit statuses.
inline constexpr int Success = 0;
inline constexpr int SomeInvalid = 1; // a sentence found invalid, a batch line not read
// A usage error, or what could not be read or written: `out` has nothing, but for the
// lines a --batch or a --check had written before it failed; the -o file is left as it was.
inline constexpr int UsageError = 2;

// Runs the command line (without the program's name); `in` is read by --check without
// sentences and by --batch -.
int Run(std::span<const std::string> arguments, std::istream& in, std::ostream& out,
        std::ostream& err);

} // namespace trame
