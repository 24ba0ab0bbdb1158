// The reasons the system gives for a failure, in French whatever the locale: strerror speaks
// the locale's language, which is English in the C locale that scripts and services run in.
#pragma once

#include <string>

namespace platform {

// The reason for a system error number: errno on POSIX, GetLastError() on Windows. Numbers
// without a text of their own are given as "erreur système n° N".
std::string FrenchReason(int code);

// The reason for the last failed system call of this thread.
std::string LastFrenchReason();

} // namespace platform
