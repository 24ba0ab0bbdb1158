// quorvelin-trame's exit statuses.
#pragma once

namespace trame {

inline constexpr int Success = 0;
inline constexpr int SomeInvalid = 1; // a sentence found invalid, a batch line not read
// A usage error, or what could not be read or written: `out` has nothing, but for the
// lines a --batch or a --check had written before it failed; the -o file is left as it was.
inline constexpr int UsageError = 2;

} // namespace trame
