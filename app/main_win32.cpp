// Start-up on Windows: the descriptor is a constant, so the first thing to build is the main
// window. The program reads no command line.
#include "win32/Fatal.h"
#include "win32/Program.h"

#include <exception>

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int show) {
    try {
        // Holds both windows; the About window's slot outlives them.
        win32::Program program;
        program.Start(show);
        return win32::Program::Run();
    } catch (...) {
        win32::FatalError(std::current_exception());
    }
}
