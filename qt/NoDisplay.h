// Qt ends a program whose display cannot be opened with an abort and an English message. While
// a DisplayGuard lives (around the construction of the application object), that case instead
// says in French that no display could be opened and exits with status 1. Qt's other messages
// of that moment are held back and passed on when the guard ends.
#pragma once

namespace qt {

class DisplayGuard {
public:
    DisplayGuard();
    DisplayGuard(const DisplayGuard&) = delete;
    DisplayGuard& operator=(const DisplayGuard&) = delete;
    ~DisplayGuard();
};

} // namespace qt
